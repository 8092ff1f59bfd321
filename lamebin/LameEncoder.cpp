#include "LameEncoder.h"

#include "IgnoredOptions.h"
#include "TagText.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace lamebin {

namespace {

using Settings = EncoderSettings;

void report(const char* format, va_list arguments) {
    std::vfprintf(stderr, format, arguments);
}

MPEG_mode libraryMode(Settings::ChannelMode mode) {
    switch (mode) {
    case Settings::ChannelMode::Stereo:
        return STEREO;
    case Settings::ChannelMode::DualChannel:
        return DUAL_CHANNEL;
    case Settings::ChannelMode::Mono:
        return MONO;
    default:
        return JOINT_STEREO;
    }
}

// The ID3v1 (ISO 8859-1) and ID3v2 (UTF-16) forms of one tag, set as LAME's program sets them.
// Returns the library's answer: 0 when both forms hold the value.
int setTag(lame_t lame, char letter, const std::string& value) {
    struct TextTag {
        char letter;
        void (*setV1)(lame_t, const char*);
        const char* v2Frame;
    };
    static const TextTag kTextTags[] = {{'t', id3tag_set_title, "TIT2"},
                                        {'a', id3tag_set_artist, "TPE1"},
                                        {'l', id3tag_set_album, "TALB"},
                                        {'y', id3tag_set_year, "TYER"}};
    const std::string latin1 = toLatin1(value);
    const std::vector<unsigned short> utf16 = toUtf16(value);
    for (const TextTag& tag : kTextTags)
        if (tag.letter == letter) {
            tag.setV1(lame, latin1.c_str());
            return id3tag_set_textinfo_utf16(lame, tag.v2Frame, utf16.data());
        }
    switch (letter) {
    case 'c':
        id3tag_set_comment(lame, latin1.c_str());
        return id3tag_set_comment_utf16(lame, nullptr, nullptr, utf16.data());
    case 'n':
        // The ID3v1 answer counts: it has room for a track of 1 to 255 only.
        return id3tag_set_track(lame, latin1.c_str()) |
               id3tag_set_textinfo_utf16(lame, "TRCK", utf16.data());
    case 'g': {
        // -1: a number that is no genre.
        const int v1 = id3tag_set_genre(lame, latin1.c_str());
        const int v2 = id3tag_set_textinfo_utf16(lame, "TCON", utf16.data());
        return v1 == -1 || v2 == -1 ? -1 : 0;
    }
    default:
        return 0;
    }
}

// The genre byte of the ID3v1 tag as set so far; -1 when there is no tag.
int id3v1Genre(lame_t lame) {
    unsigned char tag[128];
    return lame_get_id3v1_tag(lame, tag, sizeof tag) == sizeof tag ? tag[127] : -1;
}

bool sameLetters(const std::string& a, const char* b) {
    return std::equal(a.begin(), a.end(), b, b + std::strlen(b), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string setTags(lame_t lame, const Settings& settings, std::vector<std::string>& notes) {
    constexpr int kOther = 12;
    for (const auto& [letter, value] : settings.tags) {
        if (letter == 'g' && value.empty())
            continue;
        const int answer = setTag(lame, letter, value);
        if (letter == 'g' && answer == -1)
            return "--tg \"" + value + "\": not a genre number of ID3v1 (0 to 191).";
        if (letter == 'g' && id3v1Genre(lame) == kOther && !sameLetters(value, "Other") &&
            value != "12")
            notes.push_back("the genre \"" + value +
                            "\" is not in LAME's table of ID3v1 genres: the ID3v1 tag says "
                            "\"Other\", the ID3v2 tag has it as written.");
        if (letter == 'n' && answer != 0)
            notes.push_back("the track \"" + value +
                            "\" is not a number from 1 to 255: it is in the ID3v2 tag only.");
    }
    return {};
}

void setRate(lame_t lame, const Settings& s) {
    if (s.rate == Settings::Rate::Variable)
        lame_set_VBR(lame, vbr_default);
    if (s.rate == Settings::Rate::Average) {
        lame_set_VBR(lame, vbr_abr);
        lame_set_VBR_mean_bitrate_kbps(lame, *s.averageBitrate);
    }
    if (s.bitrate) {
        lame_set_brate(lame, *s.bitrate);
        lame_set_VBR_min_bitrate_kbps(lame, lame_get_brate(lame));
    }
    if (s.vbrQuality)
        lame_set_VBR_quality(lame, *s.vbrQuality);
}

// A switch: a word without a value and the library's setter with the value it hands over.
struct Switch {
    const char* word;
    int (*set)(lame_global_flags*, int);
    int value;
};

// clang-format off
const Switch kSwitches[] = {
    {"-p",                     lame_set_error_protection,   1},
    {"-o",                     lame_set_original,           0},
    {"-c",                     lame_set_copyright,          1},
    {"--freeformat",           lame_set_free_format,        1},
    {"--strictly-enforce-ISO", lame_set_strict_ISO,         MDB_STRICT_ISO},
    {"--nores",                lame_set_disable_reservoir,  1},
    {"-t",                     lame_set_bWriteVbrTag,       0},
    {"--noath",                lame_set_noATH,              1},
    {"--athonly",              lame_set_ATHonly,            1},
    {"--athshort",             lame_set_ATHshort,           1},
    {"--noshort",              lame_set_no_short_blocks,    1},
    {"--allshort",             lame_set_force_short_blocks, 1},
    {"-d",                     lame_set_allow_diff_short,   1},
    {"--notemp",               lame_set_useTemporal,        0},
};

// A whole number of the settings and the library's setter for it.
struct Number {
    std::optional<int> Settings::*member;
    int (*set)(lame_global_flags*, int);
};

const Number kNumbers[] = {
    {&Settings::outputSampleRate, lame_set_out_samplerate},
    {&Settings::emphasis,         lame_set_emphasis},
    {&Settings::quality,          lame_set_quality},
    {&Settings::athType,          lame_set_ATHtype},
    {&Settings::lowpass,          lame_set_lowpassfreq},
    {&Settings::lowpassWidth,     lame_set_lowpasswidth},
    {&Settings::highpass,         lame_set_highpassfreq},
    {&Settings::highpassWidth,    lame_set_highpasswidth},
    {&Settings::quantComparison,  lame_set_quant_comp},
    {&Settings::quantComparison,  lame_set_quant_comp_short},
};

const std::pair<bool Settings::*, int> kNoAsm[] = {
    {&Settings::noMmx, MMX}, {&Settings::no3dNow, AMD_3DNOW}, {&Settings::noSse, SSE},
};
// clang-format on

void setEverythingElse(lame_t lame, const Settings& s) {
    for (const Switch& option : kSwitches)
        if (s.has(option.word))
            option.set(lame, option.value);
    for (const Number& option : kNumbers)
        if (s.*option.member)
            option.set(lame, *(s.*option.member));
    for (const auto& [member, instructions] : kNoAsm)
        if (s.*member)
            lame_set_asm_optimizations(lame, instructions, 0);
    if (s.channelMode) {
        lame_set_mode(lame, libraryMode(*s.channelMode));
        if (*s.channelMode == Settings::ChannelMode::ForcedJointStereo)
            lame_set_force_ms(lame, 1);
    }
    lame_set_findReplayGain(lame, s.replayGain != Settings::ReplayGain::Off);
    if (s.replayGain == Settings::ReplayGain::Accurate)
        lame_set_decode_on_the_fly(lame, 1);
    if (s.scale)
        lame_set_scale(lame, *s.scale);
    if (s.athLower)
        lame_set_ATHlower(lame, *s.athLower);
}

} // namespace

bool isLibrarySwitch(const std::string& word) {
    for (const Switch& option : kSwitches)
        if (word == option.word)
            return true;
    return false;
}

LameEncoder::LameEncoder() : lame_(lame_init()) {
    if (!lame_)
        throw std::runtime_error("LAME's library could not start an encoding");
    lame_set_msgf(lame_, report);
    lame_set_errorf(lame_, report);
    lame_set_debugf(lame_, report);
    id3tag_init(lame_);
}

LameEncoder::~LameEncoder() {
    lame_close(lame_);
}

std::string LameEncoder::configure(const EncoderSettings& settings,
                                   std::vector<std::string>& notes) {
    setRate(lame_, settings);
    setEverythingElse(lame_, settings);
    notes = ignoredByLibrary(settings);
    if (settings.has("--freeformat") && (lame_get_brate(lame_) < 8 || lame_get_brate(lame_) > 640))
        return "--freeformat needs a bitrate of 8 to 640 kbit/s (-b).";
    return setTags(lame_, settings, notes);
}

std::string LameEncoder::describeInput(int channels, int sampleRate, unsigned long frames) {
    if (lame_set_num_channels(lame_, channels) != 0)
        return "it has " + std::to_string(channels) + " channels; MP3 holds one or two.";
    if (lame_set_in_samplerate(lame_, sampleRate) != 0)
        return "its sampling frequency " + std::to_string(sampleRate) + " Hz is not usable.";
    lame_set_num_samples(lame_, frames);
    return {};
}

std::string LameEncoder::start() {
    lame_set_write_id3tag_automatic(lame_, 0);
    const int result = lame_init_params(lame_);
    if (result < 0)
        return "LAME's library refused these settings for this input (code " +
               std::to_string(result) + ").";
    largestOutput_ = outputBound();
    return {};
}

int LameEncoder::frameSize() const {
    return lame_get_framesize(lame_);
}

int LameEncoder::samplesPerCall() const {
    return std::max(1, lame_get_maximum_number_of_samples(lame_, LAME_MAXMP3BUFFER));
}

// One call encodes what the library holds back (less than 8192 samples at the output's rate,
// its delay and padding included) and what the call's samples become once resampled, the flush
// up to 16 input samples more; a frame has at most the bytes of 640 kbit/s, the free format's
// highest bitrate, and its padding byte.
std::size_t LameEncoder::outputBound() const {
    const double outputPerInput =
        double(lame_get_out_samplerate(lame_)) / lame_get_in_samplerate(lame_);
    const int given = std::min(samplesPerCall(), frameSize());
    const double samples = 8192 + 4 * 1152 + (given + 17) * outputPerInput;
    const double frames = samples / frameSize() + 2;
    const double frameBytes = frameSize() / 8.0 * 640000 / lame_get_out_samplerate(lame_) + 1;
    return std::max<std::size_t>(LAME_MAXMP3BUFFER, static_cast<std::size_t>(frames * frameBytes));
}

std::vector<unsigned char> LameEncoder::id3v2Tag() {
    std::vector<unsigned char> tag(lame_get_id3v2_tag(lame_, nullptr, 0));
    if (!tag.empty())
        tag.resize(lame_get_id3v2_tag(lame_, tag.data(), tag.size()));
    return tag;
}

int LameEncoder::encode(const int* left, const int* right, int count, unsigned char* out) {
    return lame_encode_buffer_int(lame_, left, right, count, out, static_cast<int>(largestOutput_));
}

int LameEncoder::flush(unsigned char* out) {
    return lame_encode_flush(lame_, out, static_cast<int>(largestOutput_));
}

std::vector<unsigned char> LameEncoder::id3v1Tag() {
    std::vector<unsigned char> tag(128);
    const std::size_t size = lame_get_id3v1_tag(lame_, tag.data(), tag.size());
    tag.resize(size <= tag.size() ? size : 0);
    return tag;
}

std::vector<unsigned char> LameEncoder::lameTag() {
    std::vector<unsigned char> tag(LAME_MAXMP3BUFFER);
    const std::size_t size = lame_get_lametag_frame(lame_, tag.data(), tag.size());
    tag.resize(size <= tag.size() ? size : 0);
    return tag;
}

int LameEncoder::framesDone() const {
    return lame_get_frameNum(lame_);
}

int LameEncoder::framesTotal() const {
    return lame_get_totalframes(lame_);
}

bool LameEncoder::replayGainFound() const {
    return lame_get_findReplayGain(lame_) != 0;
}

double LameEncoder::replayGainDb() const {
    return lame_get_RadioGain(lame_) / 10.0;
}

} // namespace lamebin
