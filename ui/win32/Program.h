#pragma once

#include <windows.h>

class TForm1;

namespace quendra::win32 {

// The program: the common controls, the one window over a fresh model with the platform's
// encoder launcher, shown; then "run" handles its messages, and what it returns is the
// program's exit code.
int runProgram(HINSTANCE instance, int showCommand, int (*run)(TForm1& form));

// Handles the window's messages until it closes.
int runUntilClosed(TForm1& form);

// Hands one message to the window's keyboard handling, or else to the window it is for.
void dispatch(TForm1& form, MSG& message);

} // namespace quendra::win32
