#include "StopRequests.h"

#include <windows.h>

namespace lamebin {

namespace {

// The signal numbers the requests stand for, as on Linux; Ctrl+Break is the C runtime's SIGBREAK.
constexpr int kInterrupt = 2;
constexpr int kHangUp = 1;
constexpr int kTerminate = 15;
constexpr int kBreak = 21;

// Longer than putting the output in place takes, shorter than Windows waits before it ends the
// process after a closed console window or the end of the session.
constexpr DWORD kFinishingMilliseconds = 4000;

// The handler runs on a thread of its own; a hold is this lock, held by the program's thread.
CRITICAL_SECTION& holdLock() {
    static struct Lock {
        Lock() { InitializeCriticalSection(&section); }
        CRITICAL_SECTION section;
    } lock;
    return lock.section;
}

// Guarded by the lock.
std::string words = "nothing was written.";
bool ended = false;

int requestFor(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
        return kInterrupt;
    case CTRL_BREAK_EVENT:
        return kBreak;
    case CTRL_CLOSE_EVENT:
        return kHangUp;
    default:
        return kTerminate; // log-off, shut-down
    }
}

std::string requestText(int request) {
    switch (request) {
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

void writeTo(DWORD handle, const std::string& text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(handle), text.data(), static_cast<DWORD>(text.size()), &written,
              nullptr);
}

// The process ends from here, without the C runtime (whose locks the program's thread may
// hold): Windows closes its handles, and the temporary output, made to go with its last
// handle, goes with them.
BOOL WINAPI onConsoleEvent(DWORD event) {
    const int request = requestFor(event);
    EnterCriticalSection(&holdLock());
    if (!ended) {
        writeTo(STD_OUTPUT_HANDLE, "\n"); // ends the progress line
        writeTo(STD_ERROR_HANDLE,
                "lame.bin: stopped by " + requestText(request) + "; " + words + "\n");
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(128 + request));
    }
    LeaveCriticalSection(&holdLock());
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    // Windows ends the process when this returns: the program's own end comes first.
    Sleep(kFinishingMilliseconds);
    return TRUE;
}

} // namespace

void catchStopRequests() {
    holdLock();
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

StopHold::StopHold() {
    EnterCriticalSection(&holdLock());
}

StopHold::~StopHold() {
    LeaveCriticalSection(&holdLock());
}

void sayAtStop(const std::string& text) {
    StopHold hold;
    words = text;
}

// The temporary output is made to go with its last handle (ReplacingFileWindows.cpp).
void removeAtStop(std::intptr_t, const std::string&) {}

void endStopRequests() {
    StopHold hold;
    ended = true;
}

} // namespace lamebin
