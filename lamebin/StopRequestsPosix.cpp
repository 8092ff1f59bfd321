#include "StopRequests.h"

#include <csignal>

namespace lamebin {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void requestStop(int signal) {
    stopSignal = signal;
}

} // namespace

// Ctrl+C, a closed terminal and a request to end; write errors are reported where they happen,
// not as signals.
void catchStopRequests() {
    struct sigaction stop {};
    stop.sa_handler = requestStop;
    sigemptyset(&stop.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaction(signal, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

int stopRequest() {
    return stopSignal;
}

std::string stopRequestText(int request) {
    return "signal " + std::to_string(request);
}

} // namespace lamebin
