#pragma once

#include "ControlState.h"

#include <windows.h>

namespace quendra::win32 {

// The window a kind of control is made as: its class, styles and extended styles.
struct ControlWindow {
    const wchar_t* className;
    DWORD style;
    DWORD extended;
};

// A control's window in the state the model gives: shown and enabled or not.
ControlWindow controlWindow(const ControlState& control);
// The styles of that state, which a radio group's buttons share with their group.
DWORD stateStyle(const ControlState& control);

// Makes a group box's frame, which lies above the controls it holds (before them for assistive
// technology), transparent: the window's face under it shows through, and it draws its line and
// caption around the controls, never over them.
void drawAroundControls(HWND groupBox);

} // namespace quendra::win32
