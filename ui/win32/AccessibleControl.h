#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace quendra::win32 {

// What assistive technology is told about one control, asked for at the moment it asks. What
// is left empty (role 0, no value) is Windows' own.
struct AccessibleFacts {
    std::wstring name;
    long role = 0; // ROLE_SYSTEM_*
    std::optional<std::wstring> value;
    std::wstring description;
};
using AccessibleSource = std::function<AccessibleFacts()>;

// Answers Active Accessibility's request for the control's client object (WM_GETOBJECT,
// OBJID_CLIENT) with Windows' own object for it, told the name, role, value and description that
// `source` gives; everything else (state, place, focus, actions) stays the platform's. The source
// must outlive the control. Active Accessibility's libraries are loaded at the first request, so a
// start without a screen reader pays nothing for them.
void answerAccessibility(HWND control, const AccessibleSource* source);

} // namespace quendra::win32
