// start-encoder: what a terminal window runs for the front-end, with a request file of the
// front-end's as its one argument (see StartRequest.h). It takes the request from the private
// folder (PrivateFolder.h) unless the front-end withdrew it first, runs the encoder with the
// request's exact words and tells the front-end that it runs; only then does it set the window's
// title and show the command line (the encoder held until they are written, where the system
// lets it), and after a failure it keeps the window open until Enter, whatever encoder it is.
#include "LaunchPlan.h"
#include "PrivateFolder.h"
#include "StartRequest.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
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
    int error = 0;            // why it could not be started
    bool held = false;        // stopped at its start until released
    std::optional<int> ended; // its wait status where it ended before it was let go
};

// A signal that stopped the traced child goes on to it; a stop signal is dropped, so that the
// child is never left stopped where nobody resumes it.
void passOn(pid_t child, int signal) {
    const bool stop =
        signal == SIGSTOP || signal == SIGTSTP || signal == SIGTTIN || signal == SIGTTOU;
    ptrace(PTRACE_CONT, child, nullptr,
           reinterpret_cast<void*>(static_cast<std::intptr_t>(stop ? 0 : signal)));
}

// How long the child waits between asking to be traced and its exec: for the tests, which
// signal it in that gap.
timespec gapBeforeExec() {
    const char* const value = std::getenv("QUENDRA_STARTER_TEST_GAP_MS");
    const long milliseconds = value ? std::strtol(value, nullptr, 10) : 0;
    return {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
}

// What the child writes before its exec: whether it is traced, then, where the exec failed, why.
struct ChildWords {
    char held = -1;
    int failed = 0;
    std::size_t got = 0; // bytes so far
    bool ended = false;  // the pipe closed: executed, or the child is gone
};

void readChild(int fd, ChildWords& words) {
    char buffer[1 + sizeof(int)];
    const ssize_t got = read(fd, buffer, sizeof buffer - std::min(words.got, sizeof buffer));
    if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN))
        words.ended = true;
    for (ssize_t i = 0; i < got; ++i, ++words.got)
        if (words.got == 0)
            words.held = buffer[i];
        else
            reinterpret_cast<char*>(&words.failed)[words.got - 1] = buffer[i];
}

// Waits until the child was executed or ended. Until then a traced child stops at every signal
// (a terminal's resize) and only this process can resume it, so its stops are waited for along
// with the pipe; only the stop at its exec counts as its start.
void awaitExec(Encoder& encoder, int fd) {
    ChildWords words;
    for (;;) {
        int status = 0;
        const pid_t waited = waitpid(encoder.pid, &status, WNOHANG | __WALL);
        if (waited == encoder.pid && WIFSTOPPED(status)) {
            if (WSTOPSIG(status) == SIGTRAP) {
                encoder.held = true;
                return;
            }
            passOn(encoder.pid, WSTOPSIG(status));
            continue;
        }
        if (waited == encoder.pid || (waited < 0 && errno != EINTR)) {
            while (!words.ended)
                readChild(fd, words);
            if (words.got == 1 + sizeof(int) || words.held != 0) {
                // Its exec failed, or it was traced and ended before it: it never ran.
                encoder.error = words.got == 1 + sizeof(int) ? words.failed : ECANCELED;
                encoder.pid = -1;
            } else {
                encoder.ended = status; // it ran untraced, and ended already
            }
            return;
        }
        if (words.ended && words.held == 0 && words.got == 1)
            return; // executed untraced
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, words.ended ? 0 : 1, 20) > 0)
            readChild(fd, words);
    }
}

// Starts the encoder as a child in this process group, so that Ctrl+C reaches it, and returns
// once it was executed or could not be. Where the system lets it, the child is traced so that it
// stops right after it was executed and writes nothing before it is released.
Encoder startEncoder(const EncoderRequest& request) {
    std::vector<char*> argv;
    std::vector<std::string> words = request.words;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const timespec gap = gapBeforeExec();
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
        nanosleep(&gap, nullptr);
        execv(request.encoder.c_str(), argv.data());
        const int failed = errno;
        ignored = write(pipe[1], &failed, sizeof failed);
        _exit(127);
    }
    close(pipe[1]);
    if (encoder.pid < 0)
        encoder.error = errno;
    else
        awaitExec(encoder, pipe[0]);
    close(pipe[0]);
    return encoder;
}

// Lets a held encoder go, which stopped at its start. Returns its wait status where it ended
// meanwhile.
std::optional<int> release(const Encoder& encoder) {
    if (encoder.ended || !encoder.held)
        return encoder.ended;
    ptrace(PTRACE_DETACH, encoder.pid, nullptr, nullptr);
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
                     quendra::shownText(parsed.encoder).c_str(), std::strerror(encoder.error));
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
    // Read and write: over NFS an exclusive lock needs a descriptor open for writing.
    const int fd = open(request.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        return handledElsewhere();
    if (fd < 0 || fstat(fd, &info) != 0 || !quendra::isPrivateFile(info))
        return refuse(request, "file");
    // Held to this starter's end, so that the front-end knows it lives; taken before the claim,
    // so that a claimed request is never seen unlocked while its starter lives.
    int locked;
    while ((locked = flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        // Unlocked, this starter would read as dead to the front-end: it is not taken.
        std::fprintf(stderr, "start-encoder: %s cannot be locked: %s\n",
                     quendra::shownText(request).c_str(), std::strerror(errno));
        return 1;
    }
    // The claim: whoever takes the request first, this starter or the front-end withdrawing it.
    const std::string claimed = quendra::claimedPath(request);
    if (std::rename(request.c_str(), claimed.c_str()) != 0) {
        if (errno == ENOENT)
            return handledElsewhere();
        std::fprintf(stderr, "start-encoder: %s: %s\n", quendra::shownText(request).c_str(),
                     std::strerror(errno));
        return 1;
    }
    const std::optional<std::string> text = readAll(fd);
    const std::optional<EncoderRequest> parsed = text ? quendra::parseRequest(*text) : std::nullopt;
    if (!parsed) {
        report(request, EINVAL);
        std::fprintf(stderr, "start-encoder: %s is no request of the front-end's.\n",
                     quendra::shownText(claimed).c_str());
        return 1;
    }
    return run(request, *parsed);
}
