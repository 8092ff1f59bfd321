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

std::string notFoundReason(const std::string& name, const SearchResult& search) {
    return search.notExecutable.empty()
               ? "The encoder \"" + name + "\" was not found."
               : "\"" + search.notExecutable + "\" is not an executable file.";
}

std::list<PreparedCall> prepare(const std::vector<ProgramCall>& order) {
    std::list<PreparedCall> calls; // never relocated: argv points into each element
    for (const ProgramCall& call : order)
        calls.emplace_back(call);
    return calls;
}

// The first child: a session of its own, then the encoder's fork. The encoder is thus no session
// leader (it can never acquire the front-end's terminal) and, its parent gone at once, becomes
// init's child.
[[noreturn]] void detachAndRun(const std::list<PreparedCall>& calls, const int report[2]) {
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

bool reapedCleanly(pid_t intermediate) {
    int status = 0;
    pid_t waited;
    do {
        waited = waitpid(intermediate, &status, 0);
    } while (waited < 0 && errno == EINTR);
    // ECHILD: the front-end ignores SIGCHLD, the intermediate was reaped already.
    return (waited < 0 && errno == ECHILD) || (WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// What the children reported: nothing when the encoder was executed.
ssize_t readReport(int fd, ChildFailure& failure) {
    ssize_t got;
    do {
        got = read(fd, &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    close(fd);
    return got;
}

// Starts the first program of `calls` that can be executed, detached; returns why none could be,
// or an empty text once one was.
std::string startDetached(const std::list<PreparedCall>& calls, const std::string& encoder) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return "The encoder could not be started: " + errorText(errno);
    const pid_t intermediate = fork();
    if (intermediate < 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        return "The encoder could not be started: " + errorText(error);
    }
    if (intermediate == 0)
        detachAndRun(calls, report);

    close(report[1]);
    const bool intermediateOk = reapedCleanly(intermediate);
    ChildFailure failure{};
    const ssize_t got = readReport(report[0], failure);
    if (got == static_cast<ssize_t>(sizeof failure))
        return failure.stage == 1 ? "The encoder \"" + encoder +
                                        "\" could not be started: " + errorText(failure.error)
                                  : "The encoder could not be started: " + errorText(failure.error);
    if (!intermediateOk || got != 0)
        return "The encoder could not be started.";
    return {};
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
    const Surroundings here{currentDirectory(), environment("PATH")};
    const SearchResult search = findEncoder(arguments.front(), here);
    result.searched = search.searched;
    if (search.found.empty()) {
        result.reason = notFoundReason(arguments.front(), search);
        return result;
    }
    const std::list<PreparedCall> calls =
        prepare(startOrder(search.found, arguments, terminalsToTry(here)));
    result.reason = startDetached(calls, search.found);
    result.started = result.reason.empty();
    return result;
}

SearchResult PosixEncoderLauncher::findEncoder(const std::string& name,
                                               const Surroundings& here) const {
    const std::string programDir =
        programDirectory_.empty() ? runningProgramDirectory() : programDirectory_;
    return findProgram(name, programDir, here.currentDir, here.pathText, probeFile);
}

std::vector<std::string> PosixEncoderLauncher::terminalsToTry(const Surroundings& here) const {
    std::vector<std::string> terminals;
    if (console_ != Console::TerminalWhereDisplay ||
        !displayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")))
        return terminals;
    const std::vector<std::string> path = pathDirectories(here.pathText, here.currentDir);
    for (const char* terminal : kTerminals) {
        SearchResult found = searchDirectories(terminal, path, probeFile);
        if (!found.found.empty())
            terminals.push_back(std::move(found.found));
    }
    return terminals;
}

std::unique_ptr<EncoderLauncher> systemEncoderLauncher() {
    return std::make_unique<PosixEncoderLauncher>();
}

} // namespace quendra
