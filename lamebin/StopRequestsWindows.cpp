#include "StopRequests.h"

#include <windows.h>

namespace lamebin {

namespace {

// The signal numbers the requests stand for, as on Linux; Ctrl+Break is the C runtime's SIGBREAK.
constexpr LONG kInterrupt = 2;
constexpr LONG kHangUp = 1;
constexpr LONG kTerminate = 15;
constexpr LONG kBreak = 21;

// Longer than the encoding takes to stop at its next frame, shorter than Windows waits.
constexpr DWORD kCleanUpMilliseconds = 4000;

volatile LONG request = 0;

BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
        InterlockedExchange(&request, kInterrupt);
        return TRUE;
    case CTRL_BREAK_EVENT:
        InterlockedExchange(&request, kBreak);
        return TRUE;
    case CTRL_CLOSE_EVENT:
        InterlockedExchange(&request, kHangUp);
        break;
    default:
        InterlockedExchange(&request, kTerminate);
        break; // log-off, shut-down
    }
    // Windows ends the process when this returns: the encoding stops and removes its temporary
    // file meanwhile, and the program's own end comes first.
    Sleep(kCleanUpMilliseconds);
    return TRUE;
}

} // namespace

void catchStopRequests() {
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

int stopRequest() {
    return static_cast<int>(InterlockedCompareExchange(&request, 0, 0));
}

std::string stopRequestText(int code) {
    switch (code) {
    case kInterrupt:
        return "Ctrl+C";
    case kBreak:
        return "Ctrl+Break";
    case kHangUp:
        return "the closing of its console window";
    default:
        return "the end of the Windows session";
    }
}

} // namespace lamebin
