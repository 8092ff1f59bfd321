#include "StopRequests.h"

#include <climits>
#include <csignal>
#include <cstring>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace lamebin {

namespace {

// Ctrl+C, a closed terminal, a request to end and Ctrl+\; write errors are reported where they
// happen, not as signals.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Read by the handler; changed only while the stop signals are blocked.
char words[PATH_MAX + 256] = "nothing was written.";
int temporaryFolder = -1;
char temporaryName[NAME_MAX + 1] = "";
bool ended = false;
int holds = 0;

sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : kStopSignals)
        sigaddset(&signals, signal);
    return signals;
}

void copyInto(char* to, std::size_t room, const std::string& text) {
    const std::size_t length = text.size() < room ? text.size() : room - 1;
    std::memcpy(to, text.data(), length);
    to[length] = '\0';
}

// Only what may be called in a signal handler: unlinkat, write and _exit.
void endRun(int signal) {
    if (ended)
        return;
    if (temporaryName[0] != '\0')
        unlinkat(temporaryFolder, temporaryName, 0);
    char number[3] = {};
    int digits = 0;
    if (signal >= 10)
        number[digits++] = static_cast<char>('0' + signal / 10);
    number[digits++] = static_cast<char>('0' + signal % 10);
    const std::string_view parts[] = {
        "lame.bin: stopped by signal ", {number, std::size_t(digits)}, "; ", words, "\n"};
    (void)!write(1, "\n", 1); // ends the progress line
    for (const std::string_view part : parts)
        (void)!write(2, part.data(), part.size());
    _exit(128 + signal);
}

} // namespace

void catchStopRequests() {
    struct sigaction stop = {};
    stop.sa_handler = endRun;
    stop.sa_mask = stopSignals();
    stop.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals)
        sigaction(signal, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

// Holds nest: the signals stay blocked until the outermost one ends.
StopHold::StopHold() {
    if (holds++ == 0) {
        const sigset_t signals = stopSignals();
        sigprocmask(SIG_BLOCK, &signals, nullptr);
    }
}

StopHold::~StopHold() {
    if (--holds == 0) {
        const sigset_t signals = stopSignals();
        sigprocmask(SIG_UNBLOCK, &signals, nullptr);
    }
}

void sayAtStop(const std::string& text) {
    StopHold hold;
    copyInto(words, sizeof words, text);
}

void removeAtStop(std::intptr_t folder, const std::string& name) {
    StopHold hold;
    temporaryFolder = static_cast<int>(folder);
    copyInto(temporaryName, sizeof temporaryName, name);
}

void endStopRequests() {
    StopHold hold;
    ended = true;
}

} // namespace lamebin
