#include "ArgumentRecord.h"

#include <stdexcept>

namespace argrecord {

namespace {

std::size_t number(const std::string& text, std::size_t& pos, char end) {
    const std::size_t stop = text.find(end, pos);
    if (stop == std::string::npos || stop == pos)
        throw std::runtime_error("argument record: number expected at " + std::to_string(pos));
    std::size_t value = 0;
    for (std::size_t i = pos; i < stop; ++i) {
        if (text[i] < '0' || text[i] > '9')
            throw std::runtime_error("argument record: bad digit at " + std::to_string(i));
        value = value * 10 + static_cast<std::size_t>(text[i] - '0');
    }
    pos = stop + 1;
    return value;
}

} // namespace

Lists decode(const std::string& text) {
    Lists lists;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t blank = text.find(' ', pos);
        if (blank == std::string::npos)
            throw std::runtime_error("argument record: list name without count");
        std::string name = text.substr(pos, blank - pos);
        pos = blank + 1;
        const std::size_t count = number(text, pos, '\n');
        std::vector<std::string> values;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t length = number(text, pos, ':');
            if (pos + length + 1 > text.size() || text[pos + length] != '\n')
                throw std::runtime_error("argument record: truncated value in " + name);
            values.push_back(text.substr(pos, length));
            pos += length + 1;
        }
        lists[std::move(name)] = std::move(values);
    }
    return lists;
}

} // namespace argrecord
