#pragma once

#include "ChooserSettings.h"

#include <windows.h>

#include <string>

namespace quendra::win32 {

// Opens the modal open or save dialog over `owner`, made for this one press. Returns the chosen
// file's full path in UTF-8, or an empty string when the user cancels or the dialog fails. A path
// of any length Windows allows comes back whole.
std::string chooseFile(HWND owner, const form::ChooserSettings& settings);

} // namespace quendra::win32
