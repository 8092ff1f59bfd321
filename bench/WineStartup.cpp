// Start-up of the Windows program under wine against its floor (a program that makes the same
// native controls and nothing else) and a bare Win32 window of the same size: each is started
// through the wine loader as a process of its own, in turn, and runs until its first frame has
// been painted. Prints the medians of the process's CPU time (user and system, as Linux counts it
// for the wine process that runs the program) and of the time to its exit.
//
//   bench_wine_startup [--runs N] <wine loader> <window.exe> <floor.exe> <bare.exe>
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
    if (argc - first != 4) {
        std::fprintf(stderr, "usage: bench_wine_startup [--runs N] <wine> <window.exe> "
                             "<floor.exe> <bare.exe>\n");
        return 2;
    }
    const char* wine = argv[first];
    constexpr int kPrograms = 3;
    const char* programs[kPrograms] = {argv[first + 1], argv[first + 2], argv[first + 3]};
    std::vector<double> cpu[kPrograms];
    std::vector<double> wall[kPrograms];
    Run run{};
    for (const char* program : programs) // once each unmeasured: into the caches
        if (!runOnce(wine, program, run))
            return 1;
    for (int r = 0; r < runs; ++r)
        for (int i = 0; i < kPrograms; ++i) {
            if (!runOnce(wine, programs[i], run)) {
                std::fprintf(stderr, "a start failed: %s\n", programs[i]);
                return 1;
            }
            cpu[i].push_back(run.cpuMs);
            wall[i].push_back(run.wallMs);
        }
    std::printf("Windows start-up under wine (32-bit build), %d starts each, medians:\n", runs);
    std::printf("                                  CPU     to its first frame and exit\n");
    const char* names[kPrograms] = {"the window", "its floor: the same controls", "a bare window"};
    for (int i = 0; i < kPrograms; ++i)
        std::printf("  %-28s %7.1f ms  %7.1f ms\n", names[i], median(cpu[i]), median(wall[i]));
    std::printf("  window / floor               %7.2f     %7.2f     (target <= 1.3 in CPU)\n",
                median(cpu[0]) / median(cpu[1]), median(wall[0]) / median(wall[1]));
    std::printf("  window / bare window         %7.2f     %7.2f\n", median(cpu[0]) / median(cpu[2]),
                median(wall[0]) / median(wall[2]));
    return 0;
}
