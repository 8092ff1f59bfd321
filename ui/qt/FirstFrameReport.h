#pragma once

#include <functional>

class QWidget;

namespace quendra::ui {

// A program that starts this one can learn when its window is up: it passes the writing end of a
// pipe in QUENDRA_BENCH_REPORT_FD and reads lines "<what> <nanoseconds on CLOCK_MONOTONIC>" (the
// start-up benchmark, the Wayland test). Without the variable nothing is sent.
void reportToStarter(const char* what);

// Calls `shown` once, after the window's first frame has been painted and handed to the platform.
void onFirstFrame(QWidget& window, std::function<void()> shown);

// Reports "frame" to the program that started this one once the window's first frame is shown;
// watches nothing where no program listens.
void reportFirstFrame(QWidget& window);

} // namespace quendra::ui
