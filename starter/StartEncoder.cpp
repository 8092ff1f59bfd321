// start-encoder: what a terminal window runs for the front-end, with a request file of the
// front-end's as its one argument (see StartRequest.h). It takes the request unless the front-end
// withdrew it first, sets the window's title, shows the command line, runs the encoder with the
// request's exact words, tells the front-end that the encoder runs, and after a failure keeps the
// window open until Enter, whatever encoder it is.
#include "LaunchPlan.h"
#include "StartRequest.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using quendra::EncoderRequest;

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
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

// Starts the encoder as a child in this process group, so that Ctrl+C reaches it, and returns
// its process, or -1 with the error of its start.
pid_t startEncoder(const EncoderRequest& request, int& error) {
    std::vector<char*> argv;
    std::vector<std::string> words = request.words;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) != 0) {
        error = errno;
        return -1;
    }
    const pid_t encoder = fork();
    if (encoder == 0) {
        close(pipe[0]);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGQUIT, SIG_DFL);
        execv(request.encoder.c_str(), argv.data());
        const int failed = errno;
        [[maybe_unused]] const ssize_t ignored = write(pipe[1], &failed, sizeof failed);
        _exit(127);
    }
    error = encoder < 0 ? errno : 0;
    close(pipe[1]);
    int failed = 0;
    ssize_t got;
    do {
        got = read(pipe[0], &failed, sizeof failed);
    } while (got < 0 && errno == EINTR);
    close(pipe[0]);
    if (encoder > 0 && got == static_cast<ssize_t>(sizeof failed)) {
        waitpid(encoder, nullptr, 0);
        error = failed;
        return -1;
    }
    return encoder < 0 ? -1 : encoder;
}

int waitFor(pid_t encoder) {
    int status = 0;
    while (waitpid(encoder, &status, 0) < 0)
        if (errno != EINTR)
            return 1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s REQUEST\n", argv[0]);
        return 2;
    }
    const std::string request = argv[1];
    const std::string claimed = quendra::claimedPath(request);
    // The claim: whoever takes the request first, this starter or the front-end withdrawing it.
    if (std::rename(request.c_str(), claimed.c_str()) != 0) {
        if (errno != ENOENT) {
            std::fprintf(stderr, "start-encoder: %s: %s\n", request.c_str(), std::strerror(errno));
            return 1;
        }
        std::printf("This start of the encoder was withdrawn: it runs elsewhere or not at all.\n");
        return 0;
    }
    const std::optional<std::string> text = readFile(claimed);
    const std::optional<EncoderRequest> parsed = text ? quendra::parseRequest(*text) : std::nullopt;
    if (!parsed) {
        report(request, EINVAL);
        std::fprintf(stderr, "start-encoder: %s is no request of the front-end's.\n",
                     claimed.c_str());
        return 1;
    }

    if (isatty(1))
        std::fputs(quendra::titleSequence(quendra::consoleTitle(parsed->words)).c_str(), stdout);
    std::printf("%s\n", quendra::shownCommandLine(parsed->words).c_str());
    std::fflush(stdout);

    // The encoder need not show the command line or keep the window open: this starter does.
    setenv(quendra::kStarterVariable, "1", 1);
    // As a shell does for its foreground job: Ctrl+C and Ctrl+\ are the encoder's to handle.
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
    int error = 0;
    const pid_t encoder = startEncoder(*parsed, error);
    report(request, encoder < 0 ? error : 0);
    if (encoder < 0) {
        std::fprintf(stderr, "The encoder \"%s\" could not be started: %s\n",
                     parsed->encoder.c_str(), std::strerror(error));
        return 127;
    }
    const int code = waitFor(encoder);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGQUIT, SIG_DFL);
    if (code != 0) {
        std::fprintf(stderr, "\nThe encoder ended with exit code %d.\n", code);
        if (isatty(0))
            waitForEnter();
    }
    return code;
}
