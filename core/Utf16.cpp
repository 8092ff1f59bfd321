#include "Utf16.h"

namespace quendra {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point that starts at "at", which moves past it; for an ill-formed sequence U+FFFD,
// "at" moving past the longest start of a well-formed one (at least one byte).
char32_t decode(std::string_view text, std::size_t& at, bool& wellFormed) {
    const unsigned char lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    // The length of the sequence and the range of its second byte, by the lead byte.
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;   // no overlong form
        high = lead == 0xED ? 0x9F : high; // no surrogate
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;   // no overlong form
        high = lead == 0xF4 ? 0x8F : high; // nothing past U+10FFFF
    } else {
        wellFormed = false;
        return kReplacement;
    }
    char32_t codePoint = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i, low = 0x80, high = 0xBF) {
        const unsigned char next = at < text.size() ? static_cast<unsigned char>(text[at]) : 0;
        if (next < low || next > high) {
            wellFormed = false;
            return kReplacement;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
        ++at;
    }
    return codePoint;
}

} // namespace

std::u16string utf16From(std::string_view utf8) {
    std::u16string utf16;
    utf16.reserve(utf8.size());
    bool wellFormed = true;
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = decode(utf8, at, wellFormed);
        if (c < 0x10000) {
            utf16 += static_cast<char16_t>(c);
        } else {
            utf16 += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            utf16 += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return utf16;
}

std::string utf8From(std::u16string_view utf16) {
    std::string utf8;
    utf8.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (isHighSurrogate(utf16[i]) && i + 1 < utf16.size() && isLowSurrogate(utf16[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        else if (isHighSurrogate(utf16[i]) || isLowSurrogate(utf16[i]))
            c = kReplacement;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
            continue;
        }
        const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        const unsigned char leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
        utf8 += static_cast<char>(leads[length] | (c >> (6 * (length - 1))));
        for (int shift = 6 * (length - 2); shift >= 0; shift -= 6)
            utf8 += static_cast<char>(0x80 | ((c >> shift) & 0x3F));
    }
    return utf8;
}

bool isWellFormedUtf8(std::string_view text) {
    bool wellFormed = true;
    for (std::size_t at = 0; at < text.size() && wellFormed;)
        decode(text, at, wellFormed);
    return wellFormed;
}

#ifdef _WIN32
std::wstring wideFrom(std::string_view utf8) {
    const std::u16string utf16 = utf16From(utf8);
    return {utf16.begin(), utf16.end()};
}

std::string utf8From(std::wstring_view wide) {
    return utf8From(std::u16string(wide.begin(), wide.end()));
}
#endif

} // namespace quendra
