#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quendra::fuzz {

// A byte string in C escapes, so that a failing input's values can be read in the report.
inline std::string escaped(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    return out + "\"";
}

// A broken property ends the run as a crash, which libFuzzer records as a finding.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "\nPROPERTY BROKEN: %s\n", what.c_str());
    std::abort();
}

// The description is built only when the property is broken: building it for every step would
// cost more than the step itself.
template <typename Describe> void require(bool holds, Describe&& what) {
    if (!holds)
        fail(what());
}

// Replaying an input with QUENDRA_FUZZ_VERBOSE set prints what the target did with it.
inline bool verbose() {
    static const bool on = std::getenv("QUENDRA_FUZZ_VERBOSE") != nullptr;
    return on;
}

inline bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

inline bool validUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t length = 0;
        unsigned min = 0;
        unsigned code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            min = 0x80;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            min = 0x800;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            min = 0x10000;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > s.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if (!continuationByte(s[i + k]))
                return false;
            code = (code << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// The UTF-8 encoding of one code point (surrogates and values past U+10FFFF excluded by the
// caller).
inline std::string utf8(unsigned code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

} // namespace quendra::fuzz
