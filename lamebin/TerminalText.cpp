#include "TerminalText.h"

#include <cmath>
#include <cstdio>

namespace lamebin {

namespace {

bool shellSafe(const std::string& argument) {
    if (argument.empty())
        return false;
    for (const char c : argument) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') ||
                          std::string("_@%+=:,./-").find(c) != std::string::npos;
        if (!safe)
            return false;
    }
    return true;
}

bool continuation(const std::string& text, std::size_t at, unsigned char low = 0x80,
                  unsigned char high = 0xBF) {
    return at < text.size() && static_cast<unsigned char>(text[at]) >= low &&
           static_cast<unsigned char>(text[at]) <= high;
}

// The bytes of the character at "at" where it is well-formed UTF-8 and no control character (C0,
// DEL or C1, which a terminal takes as commands), else 0. After some leads the second byte's range
// is narrower: no C1 (0xC2), no overlong form (0xE0, 0xF0), no surrogate (0xED), nothing beyond
// U+10FFFF (0xF4).
std::size_t printableLength(const std::string& text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return lead >= 0x20 && lead != 0x7F ? 1 : 0;
    const std::size_t length = lead < 0xC2   ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    const unsigned char low = lead == 0xC2 || lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    if (length == 0 || !continuation(text, at + 1, low, high))
        return 0;
    for (std::size_t next = at + 2; next < at + length; ++next)
        if (!continuation(text, next))
            return 0;
    return length;
}

bool printable(const std::string& text) {
    for (std::size_t at = 0, length; at < text.size(); at += length)
        if ((length = printableLength(text, at)) == 0)
            return false;
    return true;
}

// "text" with each byte that is not part of a printable character as an escape, and the
// characters of "escapedToo" behind a backslash.
std::string escaped(const std::string& text, const std::string& escapedToo) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (const std::size_t length = printableLength(text, at); length > 0) {
            if (escapedToo.find(text[at]) != std::string::npos)
                shown += '\\';
            shown.append(text, at, length);
            at += length;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", byte);
        shown += byte == '\n' ? "\\n" : byte == '\t' ? "\\t" : escape;
        ++at;
    }
    return shown;
}

std::string shellQuoted(const std::string& argument) {
    if (shellSafe(argument))
        return argument;
    if (!printable(argument))
        return "$'" + escaped(argument, "\\'") + "'";
    std::string quoted = "'";
    for (const char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string formatted(const char* format, double a, double b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

} // namespace

std::string visibleText(const std::string& text) {
    return printable(text) ? text : escaped(text, "");
}

std::string shellCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += shellQuoted(argument);
    }
    return line;
}

std::string clockText(double seconds) {
    const long whole = seconds > 0 ? std::lround(seconds) : 0;
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

std::string progressText(int framesDone, int framesTotal, double elapsedSeconds, bool finished) {
    if (finished)
        framesTotal = framesDone;
    else if (framesTotal <= 0 || framesDone <= 0)
        return "frame " + std::to_string(framesDone) + ", " + clockText(elapsedSeconds) +
               " elapsed";
    const int total = finished || framesTotal > framesDone ? framesTotal : framesDone + 1;
    const int percent = static_cast<int>(100.0 * framesDone / total);
    const double left = elapsedSeconds * (total - framesDone) / framesDone;
    return formatted("%3.0f%%", percent) + "  frame " + std::to_string(framesDone) + " of " +
           std::to_string(total) + "  " + clockText(elapsedSeconds) + " elapsed, " +
           clockText(left) + " left";
}

std::string summaryText(const EncodingSummary& s) {
    const double kbps = s.audioSeconds > 0 ? s.bytes * 8.0 / s.audioSeconds / 1000.0 : 0;
    std::string line = "Done: " + clockText(s.audioSeconds) + " of " + s.inputFormat +
                       " audio into \"" + visibleText(s.output) + "\", " +
                       std::to_string(s.frames) + " frames, " + std::to_string(s.bytes) +
                       " bytes (" + formatted("%.0f", kbps) + " kbit/s), in " +
                       formatted("%.1f", s.elapsedSeconds) + " s";
    if (s.replayGain)
        line += formatted(", ReplayGain %+.1f dB", s.replayGainDb);
    return line + ".";
}

} // namespace lamebin
