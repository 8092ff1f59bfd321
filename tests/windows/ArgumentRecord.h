#pragma once

// What the recording encoder writes: named lists of strings, each string as "<length>:<bytes>"
// so that blanks, tabs, quotes and line breaks come back unchanged.
//
//   <name> <count>\n
//   <length>:<bytes>\n   (count times)

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace argrecord {

using Lists = std::map<std::string, std::vector<std::string>>;

inline std::string encode(const Lists& lists) {
    std::string out;
    for (const auto& [name, values] : lists) {
        out += name + ' ' + std::to_string(values.size()) + '\n';
        for (const std::string& value : values)
            out += std::to_string(value.size()) + ':' + value + '\n';
    }
    return out;
}

// Throws std::runtime_error on a malformed or truncated record.
Lists decode(const std::string& text);

} // namespace argrecord
