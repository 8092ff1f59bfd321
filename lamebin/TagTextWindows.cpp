#include "TagText.h"

#include "WideText.h"

#include <windows.h>

namespace lamebin {

namespace {

constexpr UINT kLatin1 = 28591;

// One character of the Basic Multilingual Plane in ISO 8859-1, by Windows' best fit ("Ł" is
// "L", "…" is "."), or '?'.
char latin1Of(wchar_t character) {
    char byte = '?';
    BOOL missing = FALSE;
    if (WideCharToMultiByte(kLatin1, 0, &character, 1, &byte, 1, nullptr, &missing) != 1 || missing)
        return '?';
    return byte;
}

} // namespace

// Character by character, so that one outside the Basic Multilingual Plane (a surrogate pair) is
// one '?', as iconv makes it. iconv's transliterations into several letters ("€" to "EUR") have
// no counterpart here: that character is '?' in the ID3v1 tag; the ID3v2 tag holds the text.
std::string latin1Bytes(const std::string& utf8) {
    const std::wstring wide = wideText(utf8);
    std::string latin1;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const bool pair = wide[i] >= 0xd800 && wide[i] < 0xdc00 && i + 1 < wide.size() &&
                          wide[i + 1] >= 0xdc00 && wide[i + 1] < 0xe000;
        latin1 += pair ? '?' : latin1Of(wide[i]);
        i += pair ? 1 : 0;
    }
    return latin1;
}

std::u16string utf16Units(const std::string& utf8) {
    const std::wstring wide = wideText(utf8);
    return std::u16string(wide.begin(), wide.end());
}

} // namespace lamebin
