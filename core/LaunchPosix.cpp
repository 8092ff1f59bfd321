// The POSIX start of the encoder: search, then a double fork so that what is started belongs to a
// session of its own and is never a child of the front-end. In a terminal window the terminal runs
// the starter with a request file, and the start is followed until the starter says that the
// encoder runs (LaunchPlan's judgeTry decides each step).
#include "CommandLine.h"
#include "LaunchPlan.h"
#include "PosixEncoderLauncher.h"
#include "StartRequest.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quendra {

namespace {

const char* const kTerminals[] = {"x-terminal-emulator", "xterm"};

using Clock = std::chrono::steady_clock;

// Everything a child needs, built before fork: after fork in a threaded program only
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

// What the processes below the front-end report through the close-on-exec pipe. Nothing arrives
// for a program that was executed and is not watched.
struct ChildReport {
    enum Stage : int { ForkFailed, ExecFailed, Ended };
    Stage stage;
    int value; // the error, or how a watched program ended (a wait status)
};

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string errorText(int error) {
    return std::system_category().message(error);
}

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

struct Spawned {
    int reportFd = -1;    // the pipe's read end; -1 when nothing was started
    int error = 0;        // why nothing was started
    bool firstOk = false; // the session's first process ended as it should
};

// Starts the program in a session of its own through a first process that ends at once, so that
// the program is no session leader (it can never acquire the front-end's terminal) and becomes
// init's child: executed directly, or, given `watchUntil`, as the child of a watcher that reports
// how it ended until then.
Spawned spawn(const PreparedCall& call, const timespec* watchUntil) {
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
        close(report[0]);
        resetSignals();
        setsid();
        const pid_t second = fork();
        if (second == 0) {
            if (watchUntil)
                watch(call, report[1], *watchUntil);
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

// One report, or 0 at the end of the pipe; -1 for nothing yet on a descriptor that does not block.
ssize_t readReport(int fd, ChildReport& report) {
    ssize_t got;
    do {
        got = read(fd, &report, sizeof report);
    } while (got < 0 && errno == EINTR);
    return got;
}

// Starts the program without a terminal and returns why it did not start, or an empty text once
// it was executed.
std::string startDirectly(const ProgramCall& program) {
    const PreparedCall call(program);
    const Spawned spawned = spawn(call, nullptr);
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

LaunchResult withoutTerminal(const EncoderRequest& request, std::vector<std::string> searched) {
    LaunchResult result;
    result.searched = std::move(searched);
    result.reason = startDirectly({request.encoder, request.words});
    result.started = result.reason.empty();
    return result;
}

std::string notFoundReason(const std::string& name, const SearchResult& search) {
    return search.notExecutable.empty()
               ? "The encoder \"" + name + "\" was not found."
               : "\"" + search.notExecutable + "\" is not an executable file.";
}

// A folder only this user can enter, on a plain path: the runtime folder, else the temporary one.
std::string makePrivateFolder() {
    for (const std::string& base :
         {environment("XDG_RUNTIME_DIR"), environment("TMPDIR"), std::string("/tmp")}) {
        if (!plainPath(base))
            continue;
        std::string folder = base + (base.back() == '/' ? "" : "/") + "quendra-orvo.XXXXXX";
        if (mkdtemp(folder.data()))
            return folder;
    }
    return {};
}

bool writeNewFile(const std::string& path, const std::string& content) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        done += static_cast<std::size_t>(written);
    }
    return close(fd) == 0 && done == content.size();
}

} // namespace

// One press of "Start encoding" in a terminal window, from its first terminal to its outcome.
class TerminalStart {
public:
    TerminalStart(EncoderRequest request, std::vector<std::string> terminals, std::string starter,
                  TerminalTimes times, std::vector<std::string> searched)
        : request_(std::move(request)), terminals_(std::move(terminals)),
          starter_(std::move(starter)), times_(times), searched_(std::move(searched)) {}
    ~TerminalStart() {
        closeWatch();
        std::error_code ignored;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ignored);
    }
    TerminalStart(const TerminalStart&) = delete;
    TerminalStart& operator=(const TerminalStart&) = delete;

    // The private folder made and the first terminal started; false where neither could be.
    bool begin() {
        folder_ = makePrivateFolder();
        if (folder_.empty())
            return false;
        // A starter on a path a terminal might misread is reached through a link of plain name.
        reachStarter_ = starter_;
        if (!plainPath(starter_)) {
            reachStarter_ = folder_ + "/start";
            if (symlink(starter_.c_str(), reachStarter_.c_str()) != 0)
                return false;
        }
        return startNextTerminal();
    }

    // The outcome, once decided; never waits.
    std::optional<LaunchResult> follow() {
        for (;;) {
            readWatch();
            const TrySight sight{readStarterReport(), claimed_, terminalGone_,
                                 Clock::now() >= deadline_};
            switch (judgeTry(sight)) {
            case TryVerdict::Wait:
                return std::nullopt;
            case TryVerdict::Started: {
                LaunchResult result;
                result.started = true;
                result.searched = searched_;
                return result;
            }
            case TryVerdict::Failed:
                return failure("The encoder \"" + request_.encoder +
                               "\" could not be started: " + errorText(*sight.report));
            case TryVerdict::Unconfirmed:
                return failure("The terminal window took the start of the encoder but did not "
                               "confirm that it runs.");
            case TryVerdict::GiveWay:
                if (unlink(requestFile_.c_str()) != 0) {
                    // The starter took it first: its report decides.
                    claimed_ = true;
                    deadline_ = Clock::now() + times_.report;
                    continue;
                }
                closeWatch();
                if (startNextTerminal())
                    return std::nullopt;
                return withoutTerminal(request_, searched_);
            }
        }
    }

private:
    bool startNextTerminal() {
        while (next_ < terminals_.size()) {
            const std::string& terminal = terminals_[next_++];
            requestFile_ = requestPath(folder_, ++attempt_);
            if (!writeNewFile(requestFile_, requestText(request_)))
                return false;
            const PreparedCall call(terminalCall(terminal, reachStarter_, requestFile_));
            const timespec until = monotonicAfter(times_.claim);
            const Spawned spawned = spawn(call, &until);
            if (spawned.reportFd < 0) {
                unlink(requestFile_.c_str());
                continue;
            }
            fcntl(spawned.reportFd, F_SETFL, O_NONBLOCK);
            watchFd_ = spawned.reportFd;
            terminalGone_ = !spawned.firstOk;
            claimed_ = false;
            deadline_ = Clock::now() + times_.claim;
            return true;
        }
        return false;
    }

    // What the watcher said of the terminal so far.
    void readWatch() {
        while (watchFd_ >= 0) {
            ChildReport report{};
            const ssize_t got = readReport(watchFd_, report);
            if (got < 0)
                return; // nothing yet
            if (got == static_cast<ssize_t>(sizeof report)) {
                const bool success = report.stage == ChildReport::Ended &&
                                     WIFEXITED(report.value) && WEXITSTATUS(report.value) == 0;
                terminalGone_ = terminalGone_ || !success;
                continue;
            }
            closeWatch(); // the watcher is done
        }
    }

    std::optional<int> readStarterReport() const {
        std::ifstream file(reportPath(requestFile_), std::ios::binary);
        if (!file)
            return std::nullopt;
        return parseReport(std::string(std::istreambuf_iterator<char>(file), {}));
    }

    LaunchResult failure(std::string reason) const {
        LaunchResult result;
        result.reason = std::move(reason);
        result.searched = searched_;
        return result;
    }

    void closeWatch() {
        if (watchFd_ >= 0)
            close(watchFd_);
        watchFd_ = -1;
    }

    EncoderRequest request_;
    std::vector<std::string> terminals_;
    std::string starter_;
    TerminalTimes times_;
    std::vector<std::string> searched_;
    std::string folder_;
    std::string reachStarter_; // the path the terminals are given for the starter
    std::size_t next_ = 0;     // the next terminal to try
    int attempt_ = 0;
    std::string requestFile_;
    int watchFd_ = -1;
    bool terminalGone_ = false;
    bool claimed_ = false;
    Clock::time_point deadline_;
};

FileCheck probeFile(const std::string& path) {
    struct stat info = {};
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

PosixEncoderLauncher::PosixEncoderLauncher(std::string programDirectory, Console console,
                                           TerminalTimes times)
    : programDirectory_(std::move(programDirectory)), console_(console), times_(times) {}

PosixEncoderLauncher::~PosixEncoderLauncher() {
    while (!pending_.empty()) {
        follow();
        if (!pending_.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

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
    const EncoderRequest request{search.found, arguments};
    // Without the starter no terminal can be given the words safely.
    const std::string starter = programDirectory() + "/" + kStarterName;
    if (std::vector<std::string> terminals = terminalsToTry(here);
        !terminals.empty() && probeFile(starter) == FileCheck::Executable) {
        auto start = std::make_unique<TerminalStart>(request, std::move(terminals), starter, times_,
                                                     result.searched);
        if (start->begin()) {
            pending_.push_back(std::move(start));
            result.pending = true;
            return result;
        }
    }
    return withoutTerminal(request, result.searched);
}

std::vector<LaunchResult> PosixEncoderLauncher::follow() {
    std::vector<LaunchResult> decided;
    for (auto start = pending_.begin(); start != pending_.end();) {
        if (std::optional<LaunchResult> outcome = (*start)->follow()) {
            decided.push_back(std::move(*outcome));
            start = pending_.erase(start);
        } else {
            ++start;
        }
    }
    return decided;
}

std::string PosixEncoderLauncher::programDirectory() const {
    return programDirectory_.empty() ? runningProgramDirectory() : programDirectory_;
}

SearchResult PosixEncoderLauncher::findEncoder(const std::string& name,
                                               const Surroundings& here) const {
    return findProgram(name, programDirectory(), here.currentDir, here.pathText, probeFile);
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
