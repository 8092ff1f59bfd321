// "lame.bin" for Linux: runs Debian's LAME with the front-end's command line, translated to the
// options LAME 3.100 understands, and keeps a failed run's terminal window open.
#include "EncodingFiles.h"
#include "FindLame.h"
#include "LameArguments.h"
#include "PosixEncoderLauncher.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kNotInstalled = 127;
constexpr int kRefused = 2; // file names that LAME would misread; LAME was not run

std::optional<quendra::FileIdentity> executableIdentity(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || access(path.c_str(), X_OK) != 0)
        return std::nullopt;
    return quendra::FileIdentity{static_cast<unsigned long long>(info.st_dev),
                                 static_cast<unsigned long long>(info.st_ino)};
}

quendra::PathInfo pathInfo(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {true, S_ISDIR(info.st_mode),
            quendra::FileIdentity{static_cast<unsigned long long>(info.st_dev),
                                  static_cast<unsigned long long>(info.st_ino)}};
}

std::string findLame() {
    struct stat self {};
    std::optional<quendra::FileIdentity> selfIdentity;
    if (stat("/proc/self/exe", &self) == 0)
        selfIdentity = quendra::FileIdentity{static_cast<unsigned long long>(self.st_dev),
                                             static_cast<unsigned long long>(self.st_ino)};
    const char* path = std::getenv("PATH");
    return quendra::findLame(path ? path : "", quendra::currentDirectory(), selfIdentity,
                             executableIdentity);
}

int runLame(const std::string& lame, const std::vector<std::string>& arguments) {
    std::vector<std::string> storage{"lame"};
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("lame.bin: cannot start lame");
        return kNotInstalled;
    }
    if (child == 0) {
        execv(lame.c_str(), argv.data());
        std::perror(("lame.bin: cannot run " + lame).c_str());
        _exit(kNotInstalled);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return kNotInstalled;
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + WTERMSIG(status);
}

// The terminal window closes as soon as this program ends; leave the error readable.
void waitForEnter(const std::string& what) {
    std::fprintf(stderr, "\n%s Press Enter to close this window.\n", what.c_str());
    char c = 0;
    for (;;) {
        const ssize_t got = read(0, &c, 1);
        if (got == 0 || (got < 0 && errno != EINTR) || (got == 1 && (c == '\n' || c == '\r')))
            return;
    }
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> received(argv + 1, argv + argc);
    const std::string refused = quendra::refusal(quendra::fileArguments(received), pathInfo);
    if (!refused.empty()) {
        std::fprintf(stderr, "lame.bin: %s Nothing was encoded.\n", refused.c_str());
        if (isatty(0))
            waitForEnter("The encoding did not start.");
        return kRefused;
    }
    // The front-end's text is UTF-8 whatever the session's locale. LAME converts tag values
    // from its locale's character set and, in one without the characters, cuts them short.
    setenv("LC_ALL", "C.UTF-8", 1);

    const std::string lame = findLame();
    int code = kNotInstalled;
    if (lame.empty())
        std::fprintf(stderr, "lame.bin: the LAME encoder is not installed (no \"lame\" on PATH).\n"
                             "Install the Debian package \"lame\": apt-get install lame\n");
    else
        code = runLame(lame, quendra::translateForLame(received));
    if (code != 0 && isatty(0))
        waitForEnter("The encoding failed: LAME exited with code " + std::to_string(code) + ".");
    return code;
}
