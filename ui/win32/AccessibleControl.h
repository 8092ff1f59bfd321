#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quendra::win32 {

// What assistive technology is told about one control, asked for at the moment it asks.
struct AccessibleFacts {
    std::wstring name;
    long role = 0; // ROLE_SYSTEM_*
    std::wstring value;
};
using AccessibleSource = std::function<AccessibleFacts()>;

// Answers Active Accessibility's request for the control's client object (WM_GETOBJECT,
// OBJID_CLIENT) with Windows' own object for it, told the name, role and value that `source`
// gives; everything else (state, place, focus, actions) stays the platform's. The source must
// outlive the control. Active Accessibility's libraries are loaded at the first request, so a
// start without a screen reader pays nothing for them.
void answerAccessibility(HWND control, const AccessibleSource* source);

} // namespace quendra::win32
