#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lamebin {

// Everything the front-end's command line asks of the encoder, in LAME's own units (Hz, kbit/s),
// as LAME's library takes it. An empty optional leaves the library's default.
struct EncoderSettings {
    enum class Rate { Constant, Variable, Average };
    enum class ChannelMode { Stereo, JointStereo, ForcedJointStereo, DualChannel, Mono };
    enum class ReplayGain { Off, Fast, Accurate };

    Rate rate = Rate::Constant;
    std::optional<int> bitrate;        // -b, kbit/s; 0 is the library's default
    std::optional<float> vbrQuality;   // -V
    std::optional<int> averageBitrate; // --abr, kbit/s
    std::optional<ChannelMode> channelMode;
    std::optional<int> outputSampleRate; // --resample, Hz
    // The tags in the order given: the option's letter ('t', 'a', 'l', 'y', 'c', 'n', 'g') and
    // the value in UTF-8.
    std::vector<std::pair<char, std::string>> tags;
    std::optional<int> emphasis; // 0 none, 1 50/15 µs, 3 CCITT J.17
    ReplayGain replayGain = ReplayGain::Fast;
    std::optional<int> athType;
    std::optional<float> athLower; // dB
    std::optional<int> lowpass;    // Hz; -1 switches the filter off
    std::optional<int> lowpassWidth;
    std::optional<int> highpass;
    std::optional<int> highpassWidth;
    bool noMmx = false;
    bool no3dNow = false;
    bool noSse = false;
    std::optional<int> quantComparison; // -X
    std::optional<float> scale;
    std::optional<int> quality; // -q
    // The switches given: the words without a value that each hand one value to one of the
    // library's setters ("--nores"), as LameEncoder's table has them.
    std::set<std::string> switches;

    bool has(const std::string& switchWord) const { return switches.count(switchWord) != 0; }
};

} // namespace lamebin
