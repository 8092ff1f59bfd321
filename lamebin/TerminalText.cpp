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

std::string shellQuoted(const std::string& argument) {
    if (shellSafe(argument))
        return argument;
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
                       " audio into \"" + s.output + "\", " + std::to_string(s.frames) +
                       " frames, " + std::to_string(s.bytes) + " bytes (" +
                       formatted("%.0f", kbps) + " kbit/s), in " +
                       formatted("%.1f", s.elapsedSeconds) + " s";
    if (s.replayGain)
        line += formatted(", ReplayGain %+.1f dB", s.replayGainDb);
    return line + ".";
}

} // namespace lamebin
