#include "HoverHints.h"

#include "Hints.h"
#include "WideText.h"

#include <commctrl.h>

#include <algorithm>

namespace quendra::win32 {

namespace {

enum TimerId : UINT_PTR { kRest = 0x4801, kExpire, kMoveOn };

TOOLINFOW toolOf(HWND owner, wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    tool.lpszText = text;
    return tool;
}

bool hidesHint(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

HoverHints::HoverHints(HWND owner, const FormModel& model,
                       std::function<ControlName(POINT screen)> controlAt)
    : owner_(owner), model_(model), controlAt_(std::move(controlAt)) {
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                           WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr);
    TOOLINFOW tool = toolOf(owner_, const_cast<wchar_t*>(L""));
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // As wide as the text needs, wrapped only at the width of the screen.
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
}

HoverHints::~HoverHints() {
    DestroyWindow(tip_);
}

void HoverHints::setFont(HFONT font) {
    SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void HoverHints::observe(const MSG& message) {
    if (hidesHint(message.message)) {
        hide();
        return;
    }
    if (message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE ||
        message.message == WM_MOUSELEAVE) {
        POINT screen;
        GetCursorPos(&screen);
        moved(message.hwnd, screen);
    }
}

void HoverHints::moved(HWND window, POINT screen) {
    // Where the mouse leaves the window, no further move arrives there: ask to be told.
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, window, 0};
    TrackMouseEvent(&leave);

    const ControlName control = controlAt_(screen);
    const ControlName owner = control.empty() ? ControlName() : form::hintOwner(model_, control);
    hovered_ = control;
    if (owner == active_) {
        if (!shown_)
            at_ = screen; // the hint appears where the mouse came to rest
        return;
    }
    // Off the control whose hint was waiting or showing: that hint goes.
    const bool wasShown = shown_;
    hide();
    active_ = owner;
    at_ = screen;
    if (!owner.empty() && !form::hintOver(model_, control))
        active_ = {}; // a disabled control shows none
    if (active_.empty()) {
        if (wasShown) {
            moveOn_ = true;
            SetTimer(owner_, kMoveOn, form::kHintTimings.moveOnMs, nullptr);
        }
        return;
    }
    if (wasShown || moveOn_)
        showNow();
    else
        SetTimer(owner_, kRest, form::kHintTimings.restMs, nullptr);
}

bool HoverHints::timer(UINT_PTR id) {
    switch (id) {
    case kRest:
        KillTimer(owner_, kRest);
        showNow();
        return true;
    case kExpire:
        hide();
        return true;
    case kMoveOn:
        KillTimer(owner_, kMoveOn);
        moveOn_ = false;
        return true;
    default:
        return false;
    }
}

void HoverHints::showNow() {
    const char* text = hovered_.empty() ? nullptr : form::hintOver(model_, hovered_);
    if (active_.empty() || !text)
        return;
    KillTimer(owner_, kMoveOn);
    moveOn_ = false;
    text_ = widen(text);
    TOOLINFOW tool = toolOf(owner_, text_.data());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Below the pointer, as tooltips go, but always on the screen.
    const LRESULT bubble =
        SendMessageW(tip_, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool));
    const int width = LOWORD(bubble);
    const int height = HIWORD(bubble);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    POINT place{at_.x + 2, at_.y + 16};
    place.x = std::max<LONG>(area.left, std::min<LONG>(place.x, area.right - width));
    if (place.y + height > area.bottom)
        place.y = at_.y - 4 - height;
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(place.x, place.y));
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    shown_ = true;
    SetTimer(owner_, kExpire, form::kHintTimings.showMs, nullptr);
}

void HoverHints::hide() {
    KillTimer(owner_, kRest);
    KillTimer(owner_, kExpire);
    if (!shown_)
        return;
    TOOLINFOW tool = toolOf(owner_, const_cast<wchar_t*>(L""));
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    shown_ = false;
}

} // namespace quendra::win32
