// The POSIX start of the encoder: search, then a double fork so that the encoder belongs to a
// session of its own and is never a child of the front-end.
#include "CommandLine.h"
#include "LaunchPlan.h"
#include "PosixEncoderLauncher.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <list>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quendra {

namespace {

const char* const kTerminals[] = {"x-terminal-emulator", "xterm"};

// Everything the child needs, built before fork: after fork in a threaded program only
// async-signal-safe calls are allowed, so no allocation happens there.
struct PreparedCall {
    explicit PreparedCall(const ProgramCall& call)
        : program(call.program), storage(call.arguments) {
        for (std::string& argument : storage)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
    }
    PreparedCall(const PreparedCall&) = delete;
    PreparedCall& operator=(const PreparedCall&) = delete;

    std::string program;
    std::vector<std::string> storage;
    std::vector<char*> argv;
};

// What the child reports through the close-on-exec pipe; nothing arrives when exec succeeded.
struct ChildFailure {
    int stage; // 0: second fork, 1: exec
    int error;
};

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string errorText(int error) {
    return std::system_category().message(error);
}

void writeFailure(int fd, int stage, int error) {
    const ChildFailure failure{stage, error};
    ssize_t written;
    do {
        written = write(fd, &failure, sizeof failure);
    } while (written < 0 && errno == EINTR);
}

// Keeps the front-end's descriptors (Qt's sockets, event fds, open files) out of the encoder.
void closeInheritedDescriptors(int keep) {
#ifdef CLOSE_RANGE_CLOEXEC
    if (close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
#endif
    long limit = sysconf(_SC_OPEN_MAX);
    if (limit < 0 || limit > (1L << 20))
        limit = 1L << 20;
    for (int fd = 3; fd < limit; ++fd)
        if (fd != keep)
            close(fd);
}

[[noreturn]] void runEncoder(const std::list<PreparedCall>& calls, int reportFd) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        sigaction(signal, &standard, nullptr);

    const int null = open("/dev/null", O_RDONLY);
    if (null > 0) {
        dup2(null, 0);
        close(null);
    }
    closeInheritedDescriptors(reportFd);

    int error = ENOENT;
    for (const PreparedCall& call : calls) {
        execv(call.program.c_str(), call.argv.data());
        error = errno;
    }
    writeFailure(reportFd, 1, error);
    _exit(127);
}

} // namespace

FileCheck probeFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return FileCheck::Missing;
    if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0)
        return FileCheck::Executable;
    return FileCheck::NotExecutable;
}

std::string currentDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        if (getcwd(buffer.data(), buffer.size()))
            return buffer.c_str();
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string runningProgramDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return directoryOf(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
        buffer.resize(buffer.size() * 2);
    }
}

PosixEncoderLauncher::PosixEncoderLauncher(std::string programDirectory, Console console)
    : programDirectory_(std::move(programDirectory)), console_(console) {}

LaunchResult PosixEncoderLauncher::launch(const EncoderCommand& command) {
    LaunchResult result;
    const std::vector<std::string> arguments = splitCommandLine(command.line);
    if (arguments.empty()) {
        result.reason = "The encoder command line is empty.";
        return result;
    }

    const std::string& name = arguments.front();
    const std::string currentDir = currentDirectory();
    const std::string pathText = environment("PATH");
    const std::string programDir =
        programDirectory_.empty() ? runningProgramDirectory() : programDirectory_;
    SearchResult search = findProgram(name, programDir, currentDir, pathText, probeFile);
    result.searched = search.searched;
    if (search.found.empty()) {
        result.reason = search.notExecutable.empty()
                            ? "The encoder \"" + name + "\" was not found."
                            : "\"" + search.notExecutable + "\" is not an executable file.";
        return result;
    }

    std::vector<std::string> terminals;
    if (console_ == Console::TerminalWhereDisplay &&
        displayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"))) {
        const std::vector<std::string> path = pathDirectories(pathText, currentDir);
        for (const char* terminal : kTerminals) {
            SearchResult found = searchDirectories(terminal, path, probeFile);
            if (!found.found.empty())
                terminals.push_back(std::move(found.found));
        }
    }
    const std::vector<ProgramCall> order = startOrder(search.found, arguments, terminals);
    std::list<PreparedCall> calls; // never relocated: argv points into each element
    for (const ProgramCall& call : order)
        calls.emplace_back(call);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        result.reason = "The encoder could not be started: " + errorText(errno);
        return result;
    }
    const pid_t intermediate = fork();
    if (intermediate < 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        result.reason = "The encoder could not be started: " + errorText(error);
        return result;
    }
    if (intermediate == 0) {
        // A new session, then a second fork: the encoder is not a session leader (it can never
        // acquire the front-end's terminal) and, its parent gone at once, becomes init's child.
        close(report[0]);
        setsid();
        const pid_t encoder = fork();
        if (encoder == 0)
            runEncoder(calls, report[1]);
        if (encoder < 0) {
            writeFailure(report[1], 0, errno);
            _exit(1);
        }
        _exit(0);
    }

    close(report[1]);
    int status = 0;
    pid_t waited;
    do {
        waited = waitpid(intermediate, &status, 0);
    } while (waited < 0 && errno == EINTR);
    // ECHILD: the front-end ignores SIGCHLD, the intermediate was reaped already.
    const bool intermediateOk =
        (waited < 0 && errno == ECHILD) || (WIFEXITED(status) && WEXITSTATUS(status) == 0);

    ChildFailure failure{};
    ssize_t got;
    do {
        got = read(report[0], &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    close(report[0]);

    if (got == static_cast<ssize_t>(sizeof failure)) {
        result.reason = failure.stage == 1
                            ? "The encoder \"" + search.found +
                                  "\" could not be started: " + errorText(failure.error)
                            : "The encoder could not be started: " + errorText(failure.error);
        return result;
    }
    if (!intermediateOk || got != 0) {
        result.reason = "The encoder could not be started.";
        return result;
    }
    result.started = true;
    return result;
}

std::unique_ptr<EncoderLauncher> systemEncoderLauncher() {
    return std::make_unique<PosixEncoderLauncher>();
}

} // namespace quendra
