#include "FirstFrame.h"

#include "FirstFrameReport.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include <unistd.h>

namespace quendra::bench {

namespace {

// "frame-cpu <nanoseconds>": the CPU time the process (every thread of it) has used so far, on
// the pipe the driver reads (QUENDRA_BENCH_REPORT_FD), beside the clock readings.
void reportCpuTime() {
    const char* fd = std::getenv("QUENDRA_BENCH_REPORT_FD");
    if (!fd || !*fd)
        return;
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    const std::string line =
        "frame-cpu " + std::to_string(std::int64_t(used.tv_sec) * 1000000000 + used.tv_nsec) + "\n";
    [[maybe_unused]] const ssize_t written = write(std::atoi(fd), line.data(), line.size());
}

} // namespace

void quitAfterFirstFrame(QWidget& window) {
    ui::onFirstFrame(window, [] {
        ui::reportToStarter("frame");
        reportCpuTime();
        QCoreApplication::quit();
    });
    QTimer::singleShot(30000, [] {
        std::fputs("no frame was painted within 30 s\n", stderr);
        QCoreApplication::exit(3);
    });
}

} // namespace quendra::bench
