#include "TextSelection.h"

#include "Utf16.h"

#include <algorithm>

namespace quendra {

std::size_t utf8Offset(std::u16string_view utf16, std::size_t utf16Offset) {
    const std::size_t units = std::min(utf16Offset, utf16.size());
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = utf16[i];
        if (isHighSurrogate(unit) && i + 1 < units && isLowSurrogate(utf16[i + 1])) {
            bytes += 4;
            ++i;
        } else {
            // A surrogate on its own stands for the replacement character, three bytes.
            bytes += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
        }
    }
    return bytes;
}

std::size_t utf16Offset(std::string_view utf8, std::size_t utf8Offset) {
    const std::size_t bytes = std::min(utf8Offset, utf8.size());
    std::size_t units = 0;
    for (std::size_t i = 0; i < bytes;) {
        const std::size_t length = utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        // A sequence cut off by the offset is one replacement character.
        units += length == 4 && i + length <= bytes ? 2 : 1;
        i += length;
    }
    return units;
}

TextSelection toUtf8(std::u16string_view text, const TextSelection& utf16) {
    const std::size_t start = utf8Offset(text, utf16.start);
    return {start, utf8Offset(text, utf16.end()) - start, utf8Offset(text, utf16.caret)};
}

TextSelection toUtf16(std::string_view text, const TextSelection& utf8) {
    const std::size_t start = utf16Offset(text, utf8.start);
    return {start, utf16Offset(text, utf8.end()) - start, utf16Offset(text, utf8.caret)};
}

} // namespace quendra
