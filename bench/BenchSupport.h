#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

namespace quendra::bench {

// Nanoseconds on the monotonic clock, which every process on the machine shares, so that a
// program and the driver that started it can compare their readings.
std::int64_t monotonicNs();

double median(std::vector<double> values);

// The processes this one is the parent of, started or adopted, running or ended and not yet
// reaped. A benchmark reaps only the ones it caused, never a process its caller attached to it.
std::vector<pid_t> childProcesses();

// Makes this process the parent of the detached processes its children start (the encoder's
// double fork would otherwise hand them to init), so that their end can be waited for.
void adoptDetachedProcesses();

// Waits for the one process that has become a child since "before" was taken and returns its
// wait status; -1 when there is not exactly one such process.
int waitForNewChild(const std::vector<pid_t>& before);

// The value of "--name N" among the arguments, or the fallback.
int intOption(int argc, char** argv, const char* name, int fallback);

// The windowing platform Qt will use: QT_QPA_PLATFORM, else the default for the session.
std::string platformName();

// A one-line description of the machine: cores, CPU model, memory.
std::string machineDescription();

} // namespace quendra::bench
