#pragma once

// Windows only: text between lame.bin's UTF-8 and the wide (UTF-16) API.
#include <string>

namespace lamebin {

std::wstring wideText(const std::string& utf8);
std::string utf8Text(const std::wstring& wide);

// The name the wide file functions take for a path of any length: the full path in its
// extended form (\\?\C:\..., \\?\UNC\server\...), "/" turned into "\" and a relative path made
// full first; device names are left as they are.
std::wstring extendedPath(const std::string& utf8);

// Windows' own words for an error code, without the closing full stop.
std::string systemErrorText(unsigned long code);

} // namespace lamebin
