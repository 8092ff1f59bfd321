// start-encoder: what a terminal window runs for the front-end, with a request file of the
// front-end's as its one argument (see StartRequest.h). It takes the request from the private
// folder (PrivateFolder.h) unless the front-end withdrew it first, runs the encoder with the
// request's exact words and tells the front-end that it runs; only then does it set the window's
// title and show the command line (the encoder held until they are written, where the system
// lets it), and after a failure it keeps the window open until Enter, whatever encoder it is.
#include "LaunchPlan.h"
#include "PrivateFolder.h"
#include "StartRequest.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using quendra::EncoderRequest;

// For a terminal that comes after the press was decided: no error, no shell, one line.
int handledElsewhere() {
    std::printf("This start of the encoder was handled in another window.\n");
    return 0;
}

int refuse(const std::string& path, const char* what) {
    std::fprintf(stderr, "start-encoder: %s is no private %s of this user's: nothing was run.\n",
                 quendra::shownCommandLine({path}).c_str(), what);
    return 1;
}

std::optional<std::string> readAll(int fd) {
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got == 0)
            return text;
        if (got < 0 && errno != EINTR)
            return std::nullopt;
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
    }
}

// Written under another name and renamed, so that the front-end never reads half a report.
void report(const std::string& request, int error) {
    const std::string path = quendra::reportPath(request);
    const std::string partial = path + ".partial";
    const std::string text = quendra::reportText(error);
    const int fd =
        open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (close(fd) == 0 && written)
        std::rename(partial.c_str(), path.c_str());
}

struct Encoder {
    pid_t pid = -1;
    int error = 0;     // why it could not be started
    bool held = false; // stopped at its start until released
};

// Starts the encoder as a child in this process group, so that Ctrl+C reaches it, and returns
// once it was executed or could not be. Where the system lets it, the child is traced so that it
// stops right after it was executed and writes nothing before it is released.
Encoder startEncoder(const EncoderRequest& request) {
    std::vector<char*> argv;
    std::vector<std::string> words = request.words;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    Encoder encoder;
    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) != 0) {
        encoder.error = errno;
        return encoder;
    }
    encoder.pid = fork();
    if (encoder.pid == 0) {
        close(pipe[0]);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGQUIT, SIG_DFL);
        const char held = ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) == 0 ? 1 : 0;
        [[maybe_unused]] ssize_t ignored = write(pipe[1], &held, 1);
        execv(request.encoder.c_str(), argv.data());
        const int failed = errno;
        ignored = write(pipe[1], &failed, sizeof failed);
        _exit(127);
    }
    close(pipe[1]);
    if (encoder.pid < 0) {
        encoder.error = errno;
        close(pipe[0]);
        return encoder;
    }
    char held = 0;
    int failed = 0;
    ssize_t got;
    while ((got = read(pipe[0], &held, 1)) < 0 && errno == EINTR) {
    }
    while ((got = read(pipe[0], &failed, sizeof failed)) < 0 && errno == EINTR) {
    }
    close(pipe[0]);
    encoder.held = held == 1;
    if (got == static_cast<ssize_t>(sizeof failed)) {
        waitpid(encoder.pid, nullptr, 0);
        encoder.error = failed;
        encoder.pid = -1;
    }
    return encoder;
}

// Lets a held encoder go once it stopped at its start; a signal meant for it meanwhile is passed
// on (a stop but dropped). Returns its wait status where it ended meanwhile.
std::optional<int> release(const Encoder& encoder) {
    while (encoder.held) {
        int status = 0;
        if (waitpid(encoder.pid, &status, 0) < 0) {
            if (errno == EINTR)
                continue;
            return 0;
        }
        if (!WIFSTOPPED(status))
            return status;
        const int signal = WSTOPSIG(status);
        if (signal == SIGTRAP) {
            ptrace(PTRACE_DETACH, encoder.pid, nullptr, nullptr);
            break;
        }
        const bool stop =
            signal == SIGSTOP || signal == SIGTSTP || signal == SIGTTIN || signal == SIGTTOU;
        ptrace(PTRACE_CONT, encoder.pid, nullptr,
               reinterpret_cast<void*>(static_cast<std::intptr_t>(stop ? 0 : signal)));
    }
    return std::nullopt;
}

int exitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int waitFor(pid_t encoder) {
    int status = 0;
    while (waitpid(encoder, &status, 0) < 0)
        if (errno != EINTR)
            return 1;
    return exitCode(status);
}

void waitForEnter() {
    std::fprintf(stderr, "Press Enter to close this window.\n");
    char c = 0;
    for (;;) {
        const ssize_t got = read(0, &c, 1);
        if (got == 0 || (got < 0 && errno != EINTR) || (got == 1 && (c == '\n' || c == '\r')))
            return;
    }
}

// A terminal that titles its window by the program in the foreground (Konsole) names the
// process leading the terminal's foreground group, read once when that group comes to the front:
// the link the terminal was given for the process it started. So the starter takes the encoder's
// file name and goes on in a group of its own, brought to the front, while the process the
// terminal started waits for it and ends as it ends. Empty for the one that goes on.
std::optional<int> goOnInFrontAs(const std::string& encoder) {
    const std::string name = encoder.substr(encoder.rfind('/') + 1);
    prctl(PR_SET_NAME, name.c_str(), 0, 0, 0);
    if (!isatty(0))
        return std::nullopt;
    const pid_t front = fork();
    if (front < 0)
        return std::nullopt;
    if (front > 0) {
        std::signal(SIGINT, SIG_IGN);
        std::signal(SIGQUIT, SIG_IGN);
        return waitFor(front);
    }
    setpgid(0, 0);
    std::signal(SIGTTOU, SIG_IGN); // asked from the background, which would stop it otherwise
    tcsetpgrp(0, getpgrp());
    std::signal(SIGTTOU, SIG_DFL);
    return std::nullopt;
}

// Runs the taken request's encoder, the front-end told first, and ends as it ends.
int run(const std::string& request, const EncoderRequest& parsed) {
    if (const std::optional<int> ended = goOnInFrontAs(parsed.encoder))
        return *ended;
    // The encoder need not show the command line or keep the window open: this starter does.
    setenv(quendra::kStarterVariable, "1", 1);
    // As a shell does for its foreground job: Ctrl+C and Ctrl+\ are the encoder's to handle.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
    const Encoder encoder = startEncoder(parsed);
    report(request, encoder.pid < 0 ? encoder.error : 0);

    if (isatty(1))
        std::fputs(quendra::titleSequence(quendra::consoleTitle(parsed.words)).c_str(), stdout);
    std::printf("%s\n", quendra::shownCommandLine(parsed.words).c_str());
    std::fflush(stdout);
    if (encoder.pid < 0) {
        std::fprintf(stderr, "The encoder \"%s\" could not be started: %s\n",
                     parsed.encoder.c_str(), std::strerror(encoder.error));
        return 127;
    }
    const std::optional<int> ended = release(encoder);
    const int code = ended ? exitCode(*ended) : waitFor(encoder.pid);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGQUIT, SIG_DFL);
    if (code != 0) {
        std::fprintf(stderr, "\nThe encoder ended with exit code %d.\n", code);
        if (isatty(0))
            waitForEnter();
    }
    return code;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s REQUEST\n", argv[0]);
        return 2;
    }
    const std::string request = argv[1];
    const std::size_t slash = request.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : request.substr(0, slash);
    struct stat info = {};
    if (lstat(folder.c_str(), &info) != 0 && errno == ENOENT)
        return handledElsewhere(); // the press's folder went with its decision
    if (!quendra::isPrivateFolder(folder))
        return refuse(folder, "folder");
    const int fd = open(request.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return handledElsewhere();
    if (fd < 0 || fstat(fd, &info) != 0 || !quendra::isPrivateFile(info))
        return refuse(request, "file");
    // Held to this starter's end, so that the front-end knows it lives; taken before the claim,
    // so that a claimed request is never seen unlocked while its starter lives.
    while (flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    // The claim: whoever takes the request first, this starter or the front-end withdrawing it.
    const std::string claimed = quendra::claimedPath(request);
    if (std::rename(request.c_str(), claimed.c_str()) != 0) {
        if (errno == ENOENT)
            return handledElsewhere();
        std::fprintf(stderr, "start-encoder: %s: %s\n", request.c_str(), std::strerror(errno));
        return 1;
    }
    const std::optional<std::string> text = readAll(fd);
    const std::optional<EncoderRequest> parsed = text ? quendra::parseRequest(*text) : std::nullopt;
    if (!parsed) {
        report(request, EINVAL);
        std::fprintf(stderr, "start-encoder: %s is no request of the front-end's.\n",
                     claimed.c_str());
        return 1;
    }
    return run(request, *parsed);
}
