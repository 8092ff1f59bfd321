// The entry on Windows.
#include "Program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return quendra::win32::runProgram(instance, showCommand, quendra::win32::runUntilClosed);
}
