#include "ControlWindow.h"

#include <commctrl.h>

namespace quendra::win32 {

namespace {

// A label or a group box opens a group of its own, which ends the arrow keys' group before it.
ControlWindow windowOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return {WC_STATICW, WS_GROUP | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case ControlKind::Edit:
        return {WC_EDITW, WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::CheckBox:
        return {WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, 0};
    case ControlKind::DropDown:
        return {WC_COMBOBOXW, WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                0};
    case ControlKind::Button:
        return {WC_BUTTONW, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
    case ControlKind::Slider:
        return {TRACKBAR_CLASSW,
                WS_TABSTOP | WS_GROUP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS | TBS_FIXEDLENGTH, 0};
    case ControlKind::RadioGroup:
    case ControlKind::GroupBox:
        break;
    }
    return {WC_BUTTONW, WS_GROUP | BS_GROUPBOX, WS_EX_TRANSPARENT};
}

LRESULT CALLBACK groupFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT || wParam)
        return DefSubclassProc(frame, message, wParam, lParam);
    PAINTSTRUCT paint;
    BeginPaint(frame, &paint);
    RECT area{};
    GetWindowRect(frame, &area);
    for (HWND below = GetWindow(frame, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT)) {
        RECT r{};
        if (IsWindowVisible(below) && GetWindowRect(below, &r) && IntersectRect(&r, &r, &area))
            ExcludeClipRect(paint.hdc, r.left - area.left, r.top - area.top, r.right - area.left,
                            r.bottom - area.top);
    }
    DefSubclassProc(frame, WM_PAINT, reinterpret_cast<WPARAM>(paint.hdc), 0);
    EndPaint(frame, &paint);
    return 0;
}

} // namespace

ControlWindow controlWindow(const ControlState& control) {
    ControlWindow window = windowOf(control.kind);
    window.style |= stateStyle(control);
    return window;
}

// Made in that state: showing or enabling each control afterwards would cost the window manager
// a redraw of its neighbours each time.
DWORD stateStyle(const ControlState& control) {
    return WS_CHILD | WS_CLIPSIBLINGS | (control.visible ? WS_VISIBLE : 0) |
           (control.enabled ? 0 : WS_DISABLED);
}

void drawAroundControls(HWND groupBox) {
    SetWindowSubclass(groupBox, groupFrameProc, 1, 0);
}

} // namespace quendra::win32
