#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quendra::win32 {

// The core speaks UTF-8; Windows' wide functions speak UTF-16 in wchar_t. The conversion is the
// core's (Utf16.h).
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

// Windows' wide text as the core's UTF-16: wchar_t is a UTF-16 unit on Windows.
inline std::u16string_view utf16(std::wstring_view wide) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

} // namespace quendra::win32
