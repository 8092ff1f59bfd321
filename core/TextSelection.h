#pragma once

#include <cstddef>
#include <string_view>

namespace quendra {

// A selection in a line of text as offsets into it: where it starts, how many units it covers,
// and the caret, which stands at one of its ends (anywhere where nothing is selected).
struct TextSelection {
    std::size_t start = 0;
    std::size_t length = 0;
    std::size_t caret = 0;

    std::size_t end() const { return start + length; }
    // The end the selection was drawn from, and the end the caret is at; both the caret where
    // nothing is selected.
    std::size_t anchor() const { return length == 0 ? caret : caret == start ? end() : start; }
    std::size_t active() const { return length == 0 ? caret : caret == start ? start : end(); }
    bool operator==(const TextSelection& o) const {
        return start == o.start && length == o.length && caret == o.caret;
    }
};

// Offsets into one text between the core's UTF-8 and the UTF-16 of the platforms' line edits.
// Offsets past the end stop at the end.
std::size_t utf8Offset(std::u16string_view utf16, std::size_t utf16Offset);
std::size_t utf16Offset(std::string_view utf8, std::size_t utf8Offset);
TextSelection toUtf8(std::u16string_view text, const TextSelection& utf16);
TextSelection toUtf16(std::string_view text, const TextSelection& utf8);

} // namespace quendra
