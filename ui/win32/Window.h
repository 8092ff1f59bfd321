#pragma once

#include <windows.h>

namespace quendra::win32 {

// A window of a class of the program's own, whose messages go to its object's handler: the class
// is registered with the first window of it, and the object comes with WM_NCCREATE's creation
// parameters and stays in the window's user data.
class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    HWND window() const { return window_; }

protected:
    Window() = default;
    ~Window() = default;

    // `windowClass` needs its name and instance, and its icons where it has any; the procedure,
    // the cursor and the background are the base's.
    void create(WNDCLASSEXW windowClass, DWORD extendedStyle, const wchar_t* title, DWORD style,
                SIZE size, HWND parent);
    // A message from WM_NCCREATE on; the platform's handling by default.
    virtual LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

} // namespace quendra::win32
