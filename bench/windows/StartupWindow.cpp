// The Windows program's own entry, ending once the window has shown itself: every message the
// start caused has been handled, the first frame painted.
#include "Program.h"

namespace {

[[noreturn]] int endOnceShown(TForm1& form) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        quendra::win32::dispatch(form, message);
    GdiFlush();
    // The start is measured, not the tear-down: the process ends here, as the system would end it.
    ExitProcess(0);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return quendra::win32::runProgram(instance, showCommand, endOnceShown);
}
