#include "TagText.h"

#include <iconv.h>

namespace lamebin {

namespace {

// The bytes iconv makes of the text until it meets what it cannot convert.
std::string convert(const std::string& utf8, const char* target) {
    std::string out(utf8.size() * 4 + 4, '\0');
    const iconv_t converter = iconv_open(target, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return {};
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* at = out.data();
    std::size_t outLeft = out.size();
    iconv(converter, &in, &inLeft, &at, &outLeft);
    iconv_close(converter);
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

std::string latin1Bytes(const std::string& utf8) {
    return convert(utf8, "ISO_8859-1//TRANSLIT");
}

std::u16string utf16Units(const std::string& utf8) {
    const std::string bytes = convert(utf8, "UTF-16LE//TRANSLIT");
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    return units;
}

} // namespace lamebin
