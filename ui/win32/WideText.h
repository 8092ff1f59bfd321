#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quendra::win32 {

// The core speaks UTF-8; Windows' wide functions speak UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// A UTF-16 offset into a text as a UTF-8 byte offset into the same text, and back. Offsets past
// the end stop at the end.
std::size_t utf8Offset(std::wstring_view utf16, std::size_t utf16Offset);
std::size_t utf16Offset(std::string_view utf8, std::size_t utf8Offset);

} // namespace quendra::win32
