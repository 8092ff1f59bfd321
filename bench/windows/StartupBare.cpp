// The yardstick: a bare window of the program's outer size on the button face, shown the same
// way and ending at the same point.
#include "ShownAndEnded.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    WNDCLASSW type{};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = instance;
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = L"Bare";
    RegisterClassW(&type);
    HWND window = CreateWindowExW(0, L"Bare", L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 642, 692, nullptr, nullptr, instance, nullptr);
    showAndEnd(window, showCommand);
}
