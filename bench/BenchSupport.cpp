#include "BenchSupport.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quendra::bench {

std::int64_t monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::vector<pid_t> childProcesses() {
    std::vector<pid_t> children;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::ifstream list(task.path() / "children");
        for (pid_t pid; list >> pid;)
            children.push_back(pid);
    }
    std::sort(children.begin(), children.end());
    return children;
}

void adoptDetachedProcesses() {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
}

int waitForNewChild(const std::vector<pid_t>& before) {
    std::vector<pid_t> fresh;
    for (pid_t pid : childProcesses())
        if (!std::binary_search(before.begin(), before.end(), pid))
            fresh.push_back(pid);
    if (fresh.size() != 1)
        return -1;
    int status = 0;
    while (waitpid(fresh.front(), &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    return status;
}

int intOption(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

std::string platformName() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return platform;
    const char* display = std::getenv("DISPLAY");
    return display && *display ? std::string("xcb (DISPLAY=") + display + ")" : "default";
}

std::string machineDescription() {
    std::string cpu = "unknown CPU";
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);)
        if (line.rfind("model name", 0) == 0) {
            cpu = line.substr(line.find(':') + 2);
            break;
        }
    long memoryKiB = 0;
    std::ifstream meminfo("/proc/meminfo");
    for (std::string line; std::getline(meminfo, line);)
        if (line.rfind("MemTotal:", 0) == 0) {
            memoryKiB = std::atol(line.c_str() + 9);
            break;
        }
    return std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) + " cores, " + cpu + ", " +
           std::to_string((memoryKiB + 512 * 1024) / (1024 * 1024)) + " GiB memory";
}

} // namespace quendra::bench
