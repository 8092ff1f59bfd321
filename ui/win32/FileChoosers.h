#pragma once

#include "ChooserSettings.h"

#include <windows.h>

#include <string>

namespace quendra::win32 {

// The platform's filter text: each description and its patterns as a pair of terminated
// strings, the whole ended by an empty one.
std::wstring filterText(const std::vector<form::FileFilter>& filters);

// The common dialog's options for a chooser's settings.
DWORD dialogFlags(const form::ChooserSettings& settings);

// Opens the modal open or save dialog over `owner`, made for this one press. Returns the chosen
// file's full path in UTF-8, or an empty string when the user cancels or the dialog fails. A path
// of any length Windows allows comes back whole.
std::string chooseFile(HWND owner, const form::ChooserSettings& settings);

} // namespace quendra::win32
