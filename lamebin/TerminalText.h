#pragma once

#include <string>
#include <vector>

namespace lamebin {

// The lines lame.bin shows in its terminal.

// "text" safe to show on a terminal: a control character (C0, DEL, C1) or a byte that is no
// UTF-8 is shown as an escape ("\n", "\t", "\x1B"), so that a file name that holds one cannot
// command the terminal.
std::string visibleText(const std::string& text);

// The command line as a shell reads it back: each argument bare when it holds only characters
// no shell treats specially, else in single quotes, or in $'...' with escapes where it holds
// what visibleText escapes.
std::string shellCommandLine(const std::vector<std::string>& arguments);

// "m:ss", or "h:mm:ss" from an hour on.
std::string clockText(double seconds);

// The progress so far: percent, frames, elapsed and estimated remaining time. The frames to come
// are an estimate of LAME's, so the line claims 100 % only when "finished".
std::string progressText(int framesDone, int framesTotal, double elapsedSeconds, bool finished);

struct EncodingSummary {
    std::string output;
    std::string inputFormat;
    int frames = 0;
    double audioSeconds = 0;
    unsigned long long bytes = 0;
    double elapsedSeconds = 0;
    bool replayGain = false;
    double replayGainDb = 0;
};

// One line on a finished encoding.
std::string summaryText(const EncodingSummary& summary);

} // namespace lamebin
