#pragma once

#include <optional>
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
    bool errorProtection = false;
    bool notOriginal = false;
    bool copyright = false;
    bool noAth = false;
    std::optional<int> athType;
    bool athOnly = false;
    bool athShort = false;
    std::optional<float> athLower; // dB
    std::optional<int> lowpass;    // Hz; -1 switches the filter off
    std::optional<int> lowpassWidth;
    std::optional<int> highpass;
    std::optional<int> highpassWidth;
    bool noMmx = false;
    bool no3dNow = false;
    bool noSse = false;
    std::optional<int> quantComparison; // -X
    bool freeFormat = false;
    bool strictIso = false;
    bool noReservoir = false;
    bool noShortBlocks = false;
    bool allShortBlocks = false;
    bool differentShortBlocks = false; // -d
    bool noTemporalMasking = false;
    bool noLameTag = false; // -t
    std::optional<float> scale;
    std::optional<int> quality; // -q
};

} // namespace lamebin
