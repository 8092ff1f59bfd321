#pragma once

class QWidget;

namespace quendra::ui {

// The program: the application and its title, Qt's own texts in the desktop's language, the one
// window over a fresh model with the platform's encoder launcher, and the event loop until the
// window closes; then, the window gone and the pending starts decided, the process ends with the
// loop's exit code, without Qt's teardown. "watch" sees the window just before it is first
// shown.
int runProgram(int& argc, char** argv, void (*watch)(QWidget& window));

} // namespace quendra::ui
