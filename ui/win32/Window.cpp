#include "Window.h"

namespace quendra::win32 {

void Window::create(WNDCLASSEXW windowClass, DWORD extendedStyle, const wchar_t* title, DWORD style,
                    SIZE size, HWND parent) {
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    // The program's windows show the arrow on the dialogs' face.
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassExW(&windowClass); // fails, harmlessly, for the class's later windows
    const int at = parent ? 0 : CW_USEDEFAULT;
    CreateWindowExW(extendedStyle, windowClass.lpszClassName, title, style, at, at, size.cx,
                    size.cy, parent, nullptr, windowClass.hInstance, this);
}

LRESULT Window::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY)
        self->window_ = nullptr;
    return result;
}

} // namespace quendra::win32
