#pragma once

// The end every start-up benchmark program shares: the window shown, every message the start
// caused handled, the first frame painted, and the process ended there, as the system would end
// it: the start is measured, not the tear-down.
#include <windows.h>

[[noreturn]] inline void showAndEnd(HWND window, int showCommand) {
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    GdiFlush();
    ExitProcess(0);
}
