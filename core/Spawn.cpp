#include "Spawn.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <system_error>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quendra {

namespace {

void writeReport(int fd, ChildReport::Stage stage, int value) {
    const ChildReport report{stage, value};
    ssize_t written;
    do {
        written = write(fd, &report, sizeof report);
    } while (written < 0 && errno == EINTR);
}

// Keeps the front-end's descriptors (Qt's sockets, event fds, open files) out of what is started.
void closeDescriptorsBut(int keep) {
#ifdef CLOSE_RANGE_CLOEXEC
    const auto fd = static_cast<unsigned>(keep);
    if ((fd == 3 || close_range(3, fd - 1, 0) == 0) && close_range(fd + 1, ~0U, 0) == 0)
        return;
#endif
    long limit = sysconf(_SC_OPEN_MAX);
    if (limit < 0 || limit > (1L << 20))
        limit = 1L << 20;
    for (int fd = 3; fd < limit; ++fd)
        if (fd != keep)
            close(fd);
}

void resetSignals() {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        sigaction(signal, &standard, nullptr);
}

[[noreturn]] void execute(const PreparedCall& call, int reportFd) {
    const int null = open("/dev/null", O_RDONLY);
    if (null > 0) {
        dup2(null, 0);
        close(null);
    }
    closeDescriptorsBut(reportFd);
    execv(call.program.c_str(), call.argv.data());
    writeReport(reportFd, ChildReport::ExecFailed, errno);
    _exit(127);
}

bool passed(const timespec& until) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec > until.tv_sec ||
           (now.tv_sec == until.tv_sec && now.tv_nsec >= until.tv_nsec);
}

timespec monotonicAfter(std::chrono::milliseconds span) {
    timespec at{};
    clock_gettime(CLOCK_MONOTONIC, &at);
    const long long nanoseconds = at.tv_nsec + span.count() % 1000 * 1000000LL;
    at.tv_sec += static_cast<time_t>(span.count() / 1000 + nanoseconds / 1000000000LL);
    at.tv_nsec = static_cast<long>(nanoseconds % 1000000000LL);
    return at;
}

// Runs the program as its child and reports how it ended, until `until`; a program still running
// then is left to init, as the encoder is.
[[noreturn]] void watch(const PreparedCall& call, int reportFd, const timespec& until) {
    const pid_t child = fork();
    if (child == 0)
        execute(call, reportFd);
    if (child < 0) {
        writeReport(reportFd, ChildReport::ForkFailed, errno);
        _exit(1);
    }
    closeDescriptorsBut(reportFd);
    const timespec pause{0, 20 * 1000 * 1000};
    for (;;) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            writeReport(reportFd, ChildReport::Ended, status);
            _exit(0);
        }
        if (passed(until))
            _exit(0);
        nanosleep(&pause, nullptr);
    }
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

// Starts the program without a terminal and returns why it did not start, or an empty text once
// it was executed.
std::string startDirectly(const ProgramCall& program) {
    const PreparedCall call(program);
    const Spawned spawned = spawn(call, std::nullopt);
    if (spawned.reportFd < 0)
        return "The encoder could not be started: " + errorText(spawned.error);
    ChildReport report{};
    const ssize_t got = readReport(spawned.reportFd, report);
    close(spawned.reportFd);
    if (got == static_cast<ssize_t>(sizeof report))
        return report.stage == ChildReport::ExecFailed
                   ? "The encoder \"" + program.program +
                         "\" could not be started: " + errorText(report.value)
                   : "The encoder could not be started: " + errorText(report.value);
    if (!spawned.firstOk || got != 0)
        return "The encoder could not be started.";
    return {};
}

} // namespace

PreparedCall::PreparedCall(const ProgramCall& call)
    : program(call.program), storage(call.arguments) {
    for (std::string& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
}

Spawned spawn(const PreparedCall& call, std::optional<std::chrono::milliseconds> watchFor) {
    const timespec until = monotonicAfter(watchFor.value_or(std::chrono::milliseconds(0)));
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return {-1, errno, false};
    const pid_t first = fork();
    if (first < 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        return {-1, error, false};
    }
    if (first == 0) {
        // At once, so that no lock of the front-end's outlives this process, which it waits for.
        closeDescriptorsBut(report[1]);
        resetSignals();
        setsid();
        const pid_t second = fork();
        if (second == 0) {
            if (watchFor)
                watch(call, report[1], until);
            execute(call, report[1]);
        }
        if (second < 0) {
            writeReport(report[1], ChildReport::ForkFailed, errno);
            _exit(1);
        }
        _exit(0);
    }
    close(report[1]);
    return {report[0], 0, reapedCleanly(first)};
}

ssize_t readReport(int fd, ChildReport& report) {
    ssize_t got;
    do {
        got = read(fd, &report, sizeof report);
    } while (got < 0 && errno == EINTR);
    return got;
}

std::string errorText(int error) {
    return std::system_category().message(error);
}

LaunchResult withoutTerminal(const EncoderRequest& request, std::vector<std::string> searched) {
    LaunchResult result;
    result.searched = std::move(searched);
    result.reason = startDirectly({request.encoder, request.words});
    result.started = result.reason.empty();
    return result;
}

} // namespace quendra
