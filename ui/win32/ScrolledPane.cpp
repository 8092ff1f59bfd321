#include "ScrolledPane.h"

#include "LayoutScale.h"

#include <algorithm>

namespace quendra::win32 {

namespace {

constexpr int kWheelLines = 3;
constexpr int kLine = 16; // pixels at the layout's scale

} // namespace

ScrolledPane::ScrolledPane(HWND frame, HINSTANCE instance, Notice notice)
    : frame_(frame), notice_(std::move(notice)) {
    WNDCLASSEXW pane{};
    pane.hInstance = instance;
    pane.lpszClassName = L"TForm1Client";
    create(pane, WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, {}, frame);
}

void ScrolledPane::resize(SIZE extent, double scale) {
    extent_ = extent;
    line_ = form::scaled(kLine, scale);
    SetWindowPos(window(), nullptr, 0, 0, extent.cx, extent.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrolledPane::fit() {
    RECT area{};
    GetClientRect(frame_, &area);
    for (const int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = (bar == SB_HORZ ? extent_.cx : extent_.cy) - 1;
        info.nPage = static_cast<UINT>(bar == SB_HORZ ? area.right : area.bottom);
        LONG& offset = bar == SB_HORZ ? scrolled_.x : scrolled_.y;
        offset = std::clamp<LONG>(offset, 0, std::max<LONG>(0, info.nMax + 1 - LONG(info.nPage)));
        info.nPos = offset;
        SetScrollInfo(frame_, bar, &info, TRUE);
    }
    SetWindowPos(window(), nullptr, -scrolled_.x, -scrolled_.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrolledPane::scroll(int bar, WORD request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(frame_, bar, &info);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP:
        position -= line_;
        break;
    case SB_LINEDOWN:
        position += line_;
        break;
    case SB_PAGEUP:
        position -= int(info.nPage);
        break;
    case SB_PAGEDOWN:
        position += int(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        position = info.nTrackPos;
        break;
    case SB_TOP:
        position = info.nMin;
        break;
    case SB_BOTTOM:
        position = info.nMax;
        break;
    default:
        return;
    }
    (bar == SB_HORZ ? scrolled_.x : scrolled_.y) = position;
    fit();
}

void ScrolledPane::wheel(short delta) {
    for (int i = 0; i < kWheelLines; ++i)
        scroll(SB_VERT, delta > 0 ? SB_LINEUP : SB_LINEDOWN);
}

HWND ScrolledPane::childAt(POINT screen) const {
    HWND under = WindowFromPoint(screen);
    if (under != window() && !IsChild(window(), under))
        return nullptr;
    POINT inside = screen;
    ScreenToClient(window(), &inside);
    HWND child = ChildWindowFromPointEx(window(), inside, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (child == window())
        child = ChildWindowFromPointEx(window(), inside, CWP_SKIPINVISIBLE);
    return child == window() ? nullptr : child;
}

LRESULT ScrolledPane::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_COMMAND || message == WM_HSCROLL) && lParam) {
        notice_(reinterpret_cast<HWND>(lParam), message, HIWORD(wParam));
        return 0;
    }
    return Window::dispatch(message, wParam, lParam);
}

} // namespace quendra::win32
