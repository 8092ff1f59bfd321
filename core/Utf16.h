#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quendra {

// Text between the core's UTF-8 and the UTF-16 of the platforms' line edits and of Windows' wide
// functions: the one conversion of the program.

// An ill-formed sequence becomes one U+FFFD for each of its maximal parts, as Unicode recommends.
std::u16string utf16From(std::string_view utf8);
// A surrogate without its partner becomes U+FFFD.
std::string utf8From(std::u16string_view utf16);
// No stray or missing continuation bytes, overlong forms, surrogates or values past U+10FFFF.
bool isWellFormedUtf8(std::string_view text);

#ifdef _WIN32
// The same for Windows' wide text, whose wchar_t is a UTF-16 unit.
std::wstring wideFrom(std::string_view utf8);
std::string utf8From(std::wstring_view wide);
#endif

// The bytes of a UTF-8 sequence by its lead byte; a stray continuation byte counts alone.
inline std::size_t utf8SequenceLength(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

inline bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}
inline bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}

} // namespace quendra
