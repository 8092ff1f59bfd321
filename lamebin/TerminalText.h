#pragma once

#include <string>
#include <vector>

namespace lamebin {

// The lines lame.bin shows in its terminal.

// The command line as a shell reads it back: each argument bare when it holds only characters
// no shell treats specially, else in single quotes.
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
