// Start-up of the Windows program under wine against a bare Win32 window of the same size: each
// is started through the wine loader as a process of its own, alternately, and runs until its
// first frame has been painted. Prints the medians of the process's CPU time (user and system,
// as Linux counts it for the wine process that runs the program) and of the time to its exit.
//
//   bench_wine_startup [--runs N] <wine loader> <window.exe> <bare.exe>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Run {
    double cpuMs;
    double wallMs;
};

bool runOnce(const char* wine, const char* program, Run& run) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(wine, wine, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        return false;
    const auto end = std::chrono::steady_clock::now();
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    run = {ms(usage.ru_utime) + ms(usage.ru_stime),
           std::chrono::duration<double, std::milli>(end - start).count()};
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int runs = 21;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::max(1, std::atoi(argv[2]));
        first = 3;
    }
    if (argc - first != 3) {
        std::fprintf(stderr, "usage: bench_wine_startup [--runs N] <wine> <window.exe> <bare.exe>\n");
        return 2;
    }
    const char* wine = argv[first];
    const char* programs[2] = {argv[first + 1], argv[first + 2]};
    std::vector<double> cpu[2];
    std::vector<double> wall[2];
    Run run{};
    for (const char* program : programs) // once each unmeasured: into the caches
        if (!runOnce(wine, program, run))
            return 1;
    for (int r = 0; r < runs; ++r)
        for (int i = 0; i < 2; ++i) {
            if (!runOnce(wine, programs[i], run)) {
                std::fprintf(stderr, "a start failed: %s\n", programs[i]);
                return 1;
            }
            cpu[i].push_back(run.cpuMs);
            wall[i].push_back(run.wallMs);
        }
    std::printf("Windows start-up under wine (32-bit build), %d starts each, medians:\n", runs);
    std::printf("  the window         %7.1f ms CPU  %7.1f ms to its first frame and exit\n",
                median(cpu[0]), median(wall[0]));
    std::printf("  a bare window      %7.1f ms CPU  %7.1f ms\n", median(cpu[1]), median(wall[1]));
    std::printf("  ratio              %7.2f CPU     %7.2f time\n", median(cpu[0]) / median(cpu[1]),
                median(wall[0]) / median(wall[1]));
    return 0;
}
