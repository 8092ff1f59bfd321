#include "WideText.h"

#include "Utf16.h"

namespace quendra::win32 {

std::wstring widen(std::string_view utf8) {
    return wideFrom(utf8);
}

std::string narrow(std::wstring_view wide) {
    return utf8From(wide);
}

} // namespace quendra::win32
