#include "TagText.h"

namespace lamebin {

std::string toLatin1(const std::string& utf8) {
    const std::string latin1 = latin1Bytes(utf8);
    return latin1.substr(0, latin1.find('\0'));
}

std::vector<unsigned short> toUtf16(const std::string& utf8) {
    std::vector<unsigned short> units{0xfeff};
    for (const char16_t unit : utf16Units(utf8)) {
        if (unit == 0)
            break;
        units.push_back(unit);
    }
    units.push_back(0);
    return units;
}

} // namespace lamebin
