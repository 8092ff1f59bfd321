// Start-up and peak memory of the window against other programs (its floor: the same widgets
// and nothing else; an empty widget): each program is started as a process of its own, in turn,
// the order turning with every round, and timed from the fork to its exit; the programs report
// when main began, when their first frame was shown and the CPU time they had used by then.
//
//   bench_startup [--runs N] <window program> <program to compare with>...
#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using quendra::bench::median;
using quendra::bench::monotonicNs;

namespace {

struct Run {
    double toMainMs = 0;
    double toFrameMs = 0;
    double frameCpuMs = 0; // user and system time of the process up to its first frame
    double toExitMs = 0;
    double maxRssMiB = 0;
    double cpuMs = 0; // user and system time of the process
};

// How long a start may take, to its exit: Qt 6.4's Wayland client now and then never ends, its
// teardown waiting for its event thread (a few starts in a hundred, in a program that runs that
// teardown: the window leaves without it); such a start is ended and made again.
constexpr int kRunLimitMs = 20000;

// What the program writes on the pipe until it closes it, or until the deadline; false when the
// deadline came first.
bool readUntilClosed(int fd, std::int64_t deadlineNs, std::string& text) {
    char buffer[256];
    for (;;) {
        const std::int64_t leftMs = (deadlineNs - monotonicNs()) / 1000000;
        pollfd waiting{fd, POLLIN, 0};
        const int ready = leftMs > 0 ? poll(&waiting, 1, int(leftMs)) : 0;
        if (ready == 0)
            return false;
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return true;
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0)
            text.append(buffer, std::size_t(got));
        else if (got == 0 || errno != EINTR)
            return true;
    }
}

// Runs the program once; exits the driver when it fails, showing what it wrote. Empty for a
// start that did not end in time, which was ended.
std::optional<Run> runOnce(const std::string& program) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    char errorLog[] = "/tmp/quendra-bench-startup-XXXXXX";
    const int logFd = mkstemp(errorLog);
    const std::int64_t forked = monotonicNs();
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(logFd, 2);
        setenv("QUENDRA_BENCH_REPORT_FD", std::to_string(pipeFds[1]).c_str(), 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    std::string reported;
    const bool ended = readUntilClosed(pipeFds[0], forked + kRunLimitMs * 1000000LL, reported);
    close(pipeFds[0]);
    if (!ended)
        kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::int64_t exited = monotonicNs();
    close(logFd);
    if (!ended) {
        unlink(errorLog);
        return std::nullopt;
    }

    std::map<std::string, std::int64_t> at;
    std::istringstream lines(reported);
    for (std::string what; lines >> what;)
        lines >> at[what];
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !at.count("main") || !at.count("frame") ||
        !at.count("frame-cpu")) {
        std::fprintf(stderr, "%s failed (status %d); it wrote:\n", program.c_str(), status);
        std::ifstream log(errorLog);
        std::fprintf(stderr, "%s\n", std::string(std::istreambuf_iterator<char>(log), {}).c_str());
        unlink(errorLog);
        std::exit(1);
    }
    unlink(errorLog);
    Run run;
    run.toMainMs = double(at["main"] - forked) / 1e6;
    run.toFrameMs = double(at["frame"] - forked) / 1e6;
    run.frameCpuMs = double(at["frame-cpu"]) / 1e6;
    run.toExitMs = double(exited - forked) / 1e6;
    run.maxRssMiB = double(usage.ru_maxrss) / 1024.0;
    run.cpuMs = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return run;
}

// A start that ended in time, making it again where one did not, up to `allowed` times in all;
// `endedOfThis` counts the starts of this program that were ended.
Run measuredRun(const std::string& program, int allowed, int& endedByUs, int& endedOfThis) {
    for (;;) {
        if (const std::optional<Run> run = runOnce(program))
            return *run;
        ++endedOfThis;
        if (++endedByUs > allowed) {
            std::fprintf(stderr, "%s did not end within %d s, %d times\n", program.c_str(),
                         kRunLimitMs / 1000, endedByUs);
            std::exit(1);
        }
    }
}

template <class F> double medianOf(const std::vector<Run>& runs, F field) {
    std::vector<double> values;
    for (const Run& run : runs)
        values.push_back(field(run));
    return median(values);
}

// The name a program is shown by: its file name without the benchmarks' common prefix.
std::string shortName(const std::string& program) {
    std::string name = program.substr(program.find_last_of('/') + 1);
    const std::string prefix = "bench_startup_";
    return name.rfind(prefix, 0) == 0 && name.size() > prefix.size() ? name.substr(prefix.size())
                                                                     : name;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs")
            ++i;
        else
            programs.push_back(argv[i]);
    }
    if (programs.size() < 2) {
        std::fprintf(stderr, "usage: bench_startup [--runs N] <window program> <program to compare "
                             "with>...\n");
        return 2;
    }
    const int runs = quendra::bench::intOption(argc, argv, "--runs", 21);

    // One unmeasured start each, so that all find the libraries in the page cache.
    int endedByUs = 0;
    std::vector<int> ended(programs.size(), 0);
    const int allowed = std::max(3, runs * int(programs.size()) / 10);
    for (std::size_t k = 0; k < programs.size(); ++k)
        measuredRun(programs[k], allowed, endedByUs, ended[k]);
    // Each round starts every program once, beginning one further along each time.
    std::vector<std::vector<Run>> measured(programs.size());
    for (int round = 0; round < runs; ++round)
        for (std::size_t k = 0; k < programs.size(); ++k) {
            const std::size_t which = (std::size_t(round) + k) % programs.size();
            measured[which].push_back(
                measuredRun(programs[which], allowed, endedByUs, ended[which]));
        }

    std::printf("start-up on %s, median of %d starts each, in turn\n",
                quendra::bench::platformName().c_str(), runs);
    std::printf("  %-32s", "");
    for (const std::string& program : programs)
        std::printf(" %10s", shortName(program).c_str());
    for (std::size_t k = 1; k < programs.size(); ++k)
        std::printf(" %13s", (shortName(programs[0]) + "/" + shortName(programs[k])).c_str());
    std::printf("\n");
    const auto row = [&](const char* what, const char* unit, double (*field)(const Run&)) {
        std::vector<double> medians;
        for (const std::vector<Run>& runsOfOne : measured)
            medians.push_back(medianOf(runsOfOne, field));
        std::printf("  %-32s", what);
        for (const double m : medians)
            std::printf(" %7.1f %-3s", m, unit);
        for (std::size_t k = 1; k < medians.size(); ++k)
            std::printf(" %13.2f", medians[0] / medians[k]);
        std::printf("\n");
    };
    row("process start to main", "ms", [](const Run& r) { return r.toMainMs; });
    row("process start to first frame", "ms", [](const Run& r) { return r.toFrameMs; });
    row("CPU time to the first frame", "ms", [](const Run& r) { return r.frameCpuMs; });
    row("start to first frame and exit", "ms", [](const Run& r) { return r.toExitMs; });
    row("CPU time to exit", "ms", [](const Run& r) { return r.cpuMs; });
    row("peak memory (max RSS)", "MiB", [](const Run& r) { return r.maxRssMiB; });
    // Those that never ended: counted by program, where such starts came.
    if (endedByUs > 0) {
        std::printf("  %-32s", "starts ended unfinished, made again");
        for (const int count : ended)
            std::printf(" %7d    ", count);
        std::printf("\n  (each did not end within %d s)\n", kRunLimitMs / 1000);
    }
    return 0;
}
