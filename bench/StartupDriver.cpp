// Start-up and peak memory of the window against a bare Qt window: each program is started
// as a process of its own, alternately, and timed from the fork to its exit; the programs
// report when main began and when their first frame was shown.
//
//   bench_startup [--runs N] <window program> <bare program>
#include "BenchSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using quendra::bench::median;
using quendra::bench::monotonicNs;

namespace {

struct Run {
    double toMainMs = 0;
    double toFrameMs = 0;
    double toExitMs = 0;
    double maxRssMiB = 0;
    double cpuMs = 0; // user and system time of the process
};

std::string readAll(int fd) {
    std::string text;
    char buffer[256];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0)
            text.append(buffer, std::size_t(got));
        else if (got == 0 || errno != EINTR)
            return text;
    }
}

// Runs the program once; exits the driver when it fails, showing what it wrote.
Run runOnce(const std::string& program) {
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
    const std::string reported = readAll(pipeFds[0]);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const std::int64_t ended = monotonicNs();
    close(logFd);

    std::map<std::string, std::int64_t> at;
    std::istringstream lines(reported);
    for (std::string what; lines >> what;)
        lines >> at[what];
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !at.count("main") || !at.count("frame")) {
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
    run.toExitMs = double(ended - forked) / 1e6;
    run.maxRssMiB = double(usage.ru_maxrss) / 1024.0;
    run.cpuMs = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    return run;
}

template <class F> double medianOf(const std::vector<Run>& runs, F field) {
    std::vector<double> values;
    for (const Run& run : runs)
        values.push_back(field(run));
    return median(values);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup [--runs N] <window program> <bare program>\n");
        return 2;
    }
    const int runs = quendra::bench::intOption(argc, argv, "--runs", 21);
    const std::string window = argv[argc - 2];
    const std::string bare = argv[argc - 1];

    // One unmeasured start each, so that both find the libraries in the page cache.
    runOnce(window);
    runOnce(bare);
    std::vector<Run> windowRuns;
    std::vector<Run> bareRuns;
    for (int i = 0; i < runs; ++i) {
        if (i % 2 == 0) {
            windowRuns.push_back(runOnce(window));
            bareRuns.push_back(runOnce(bare));
        } else {
            bareRuns.push_back(runOnce(bare));
            windowRuns.push_back(runOnce(window));
        }
    }

    std::printf("start-up on %s, median of %d starts each, alternating\n",
                quendra::bench::platformName().c_str(), runs);
    std::printf("  %-38s %10s %10s %7s\n", "", "window", "bare", "ratio");
    const auto row = [&](const char* what, double w, double b, const char* unit,
                         const char* target) {
        std::printf("  %-38s %7.1f %-3s%7.1f %-3s%7.2f  %s\n", what, w, unit, b, unit, w / b,
                    target);
    };
    const auto toMain = [](const Run& r) { return r.toMainMs; };
    const auto toFrame = [](const Run& r) { return r.toFrameMs; };
    const auto toExit = [](const Run& r) { return r.toExitMs; };
    const auto rss = [](const Run& r) { return r.maxRssMiB; };
    const auto cpu = [](const Run& r) { return r.cpuMs; };
    row("process start to main", medianOf(windowRuns, toMain), medianOf(bareRuns, toMain), "ms",
        "");
    row("process start to first frame", medianOf(windowRuns, toFrame), medianOf(bareRuns, toFrame),
        "ms", "");
    row("process start to first frame and exit", medianOf(windowRuns, toExit),
        medianOf(bareRuns, toExit), "ms", "(target <= 1.5)");
    row("CPU time (user + system)", medianOf(windowRuns, cpu), medianOf(bareRuns, cpu), "ms", "");
    row("peak memory (max RSS)", medianOf(windowRuns, rss), medianOf(bareRuns, rss), "MiB",
        "(target <= 1.3)");
    return 0;
}
