#pragma once

#include "Window.h"

#include <functional>

namespace quendra::win32 {

// Everything a window shows, in one child window that its frame's scroll bars and the wheel
// scroll as a whole where the frame is smaller than it. The controls on it report to `notice`
// (WM_COMMAND, and WM_HSCROLL from a slider).
class ScrolledPane : public Window {
public:
    using Notice = std::function<void(HWND control, UINT message, WORD code)>;
    ScrolledPane(HWND frame, HINSTANCE instance, Notice notice);

    // The content's size, with the layout's scale, by which a line of scrolling grows.
    void resize(SIZE extent, double scale);
    // The frame's client area changed: the scroll bars follow, and the content stays in view.
    void fit();
    void scroll(int bar, WORD request);
    void wheel(short delta);
    // The window on the pane under a point of the screen, a disabled one too; a group frame,
    // which lies above its controls, only where no control is. nullptr for none.
    HWND childAt(POINT screen) const;

private:
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND frame_;
    Notice notice_;
    SIZE extent_{};
    POINT scrolled_{};
    int line_ = 0;
};

} // namespace quendra::win32
