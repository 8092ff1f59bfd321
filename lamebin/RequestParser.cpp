#include "RequestParser.h"

#include "LameEncoder.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>

namespace lamebin {

namespace {

using Settings = EncoderSettings;

bool toNumber(const std::string& text, double& value) {
    if (text.empty() || text.front() == ' ' || text.front() == '\t')
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

bool toWhole(const std::string& text, int& value) {
    if (text.empty() || text.front() == ' ' || text.front() == '\t')
        return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end != text.c_str() + text.size() || parsed < -1000000 || parsed > 1000000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// The frequency LAME resamples to for a value in kHz or Hz; 0 when MP3 has none near it.
int resampleRate(double frequency) {
    if (frequency >= 1e3)
        frequency *= 1e-3;
    switch (static_cast<int>(frequency)) {
    case 8:
        return 8000;
    case 11:
        return 11025;
    case 12:
        return 12000;
    case 16:
        return 16000;
    case 22:
        return 22050;
    case 24:
        return 24000;
    case 32:
        return 32000;
    case 44:
        return 44100;
    case 48:
        return 48000;
    default:
        return 0;
    }
}

// A filter frequency or width in Hz: values below "kHzBelow" are kHz, as LAME reads them.
bool filterHz(double value, double kHzBelow, int& hz) {
    if (value < 0.001 || value > 50000.)
        return false;
    hz = static_cast<int>(value * (value < kHzBelow ? 1e3 : 1.0) + 0.5);
    return true;
}

// Applies an option's value; returns why the value does not fit, or "".
using Apply = std::function<std::string(Settings&, const std::string& value)>;

struct Option {
    const char* name;
    bool takesValue;
    Apply apply;
};

// The settings an option writes, named: clang-format 14 and 19 lay out a bare pointer to member
// otherwise.
template <typename T> using Setting = std::optional<T> Settings::*;
using Switch = bool Settings::*;

template <typename T> Apply number(Setting<T> member) {
    return [member](Settings& s, const std::string& value) {
        double parsed = 0;
        if (!toNumber(value, parsed))
            return std::string("not a number");
        s.*member = static_cast<T>(parsed);
        return std::string();
    };
}

Apply whole(Setting<int> member) {
    return [member](Settings& s, const std::string& value) {
        int parsed = 0;
        if (!toWhole(value, parsed))
            return std::string("not a whole number");
        s.*member = parsed;
        return std::string();
    };
}

Apply tag(char letter) {
    return [letter](Settings& s, const std::string& value) {
        s.tags.emplace_back(letter, value);
        return std::string();
    };
}

// A filter's frequency ("allowsOff": a negative value switches it off) or width.
Apply filter(Setting<int> member, double kHzBelow, bool allowsOff) {
    return [=](Settings& s, const std::string& value) {
        double parsed = 0;
        if (!toNumber(value, parsed))
            return std::string("not a number");
        int hz = 0;
        if (allowsOff && parsed < 0)
            hz = -1;
        else if (!filterHz(parsed, kHzBelow, hz))
            return std::string("outside 0.001 to 50000 (kHz below ") +
                   std::to_string(static_cast<int>(kHzBelow)) + ", Hz above)";
        s.*member = hz;
        return std::string();
    };
}

// LAME takes this one width in whole Hz whatever its size, cutting off the fraction.
std::string highpassWidth(Settings& s, const std::string& value) {
    double parsed = 0;
    if (!toNumber(value, parsed))
        return "not a number";
    if (parsed < 0.001 || parsed > 50000.)
        return "outside 0.001 to 50000 Hz";
    s.highpassWidth = static_cast<int>(parsed);
    return {};
}

std::string bitrate(Settings& s, const std::string& value) {
    int parsed = 0;
    if (value == "auto")
        parsed = 0;
    else if (!toWhole(value, parsed) || parsed < 0)
        return "not a bitrate in kbit/s, nor \"auto\"";
    s.bitrate = parsed;
    return {};
}

std::string averageBitrate(Settings& s, const std::string& value) {
    int parsed = 0;
    if (!toWhole(value, parsed))
        return "not a whole number";
    if (parsed >= 8000) // bit/s
        parsed = (parsed + 500) / 1000;
    s.averageBitrate = parsed < 8 ? 8 : parsed > 320 ? 320 : parsed;
    s.rate = Settings::Rate::Average;
    return {};
}

std::string vbrQuality(Settings& s, const std::string& value) {
    double parsed = 0;
    if (!toNumber(value, parsed))
        return "not a number";
    if (s.rate == Settings::Rate::Constant)
        s.rate = Settings::Rate::Variable;
    s.vbrQuality = static_cast<float>(parsed);
    return {};
}

// The value the table gives the word, or null.
template <typename T, std::size_t N>
const T* lookUp(const std::pair<const char*, T> (&table)[N], const std::string& word) {
    for (const auto& [name, value] : table)
        if (word == name)
            return &value;
    return nullptr;
}

std::string channelMode(Settings& s, const std::string& value) {
    using Mode = Settings::ChannelMode;
    static const std::pair<const char*, Mode> kModes[] = {
        {"s", Mode::Stereo},      {"j", Mode::JointStereo}, {"f", Mode::ForcedJointStereo},
        {"d", Mode::DualChannel}, {"m", Mode::Mono},
    };
    const Mode* mode = lookUp(kModes, value);
    if (!mode)
        return "not a channel mode (s, j, f, d or m)";
    s.channelMode = *mode;
    return {};
}

std::string resample(Settings& s, const std::string& value) {
    double parsed = 0;
    if (!toNumber(value, parsed))
        return "not a number";
    const int rate = resampleRate(parsed);
    if (rate == 0)
        return "not a sampling frequency of MP3 (8, 11.025, 12, 16, 22.05, 24, 32, 44.1 or 48 kHz)";
    s.outputSampleRate = rate;
    return {};
}

std::string emphasis(Settings& s, const std::string& value) {
    static const std::pair<const char*, int> kEmphases[] = {{"n", 0}, {"5", 1}, {"c", 3}};
    const int* code = lookUp(kEmphases, value);
    if (!code)
        return "not a de-emphasis (n, 5 or c)";
    s.emphasis = *code;
    return {};
}

std::string noAsm(Settings& s, const std::string& value) {
    static const std::pair<const char*, Switch> kSets[] = {
        {"mmx", &Settings::noMmx}, {"3dnow", &Settings::no3dNow}, {"sse", &Settings::noSse}};
    const Switch* member = lookUp(kSets, value);
    if (!member)
        return "not an instruction set (mmx, 3dnow or sse)";
    s.*(*member) = true;
    return {};
}

std::string fullBandwidth(Settings& s, const std::string&) {
    s.lowpass = -1;
    s.highpass = -1;
    return {};
}

std::string replayGain(Settings::ReplayGain choice, Settings& s) {
    s.replayGain = choice;
    return {};
}

// clang-format off
const Option kOptions[] = {
    {"--cbr", false, [](Settings& s, const std::string&) {
        s.rate = Settings::Rate::Constant;
        return std::string(); }},
    {"-b", true, bitrate},
    {"-V", true, vbrQuality},
    {"--abr", true, averageBitrate},
    {"-m", true, channelMode},
    {"--resample", true, resample},
    {"--tt", true, tag('t')},
    {"--ta", true, tag('a')},
    {"--tl", true, tag('l')},
    {"--ty", true, tag('y')},
    {"--tc", true, tag('c')},
    {"--tn", true, tag('n')},
    {"--tg", true, tag('g')},
    {"-e", true, emphasis},
    {"--noreplaygain", false, [](Settings& s, const std::string&) {
        return replayGain(Settings::ReplayGain::Off, s); }},
    {"--replaygain-accurate", false, [](Settings& s, const std::string&) {
        return replayGain(Settings::ReplayGain::Accurate, s); }},
    {"--athtype", true, whole(&Settings::athType)},
    {"--athlower", true, number(&Settings::athLower)},
    {"-k", false, fullBandwidth},
    {"--highpass", true, filter(&Settings::highpass, 16, true)},
    {"--highpass-width", true, highpassWidth},
    {"--lowpass", true, filter(&Settings::lowpass, 50, true)},
    {"--lowpass-width", true, filter(&Settings::lowpassWidth, 16, false)},
    {"--noasm", true, noAsm},
    {"-X", true, whole(&Settings::quantComparison)},
    {"--scale", true, number(&Settings::scale)},
    {"-q", true, whole(&Settings::quality)},
};
// clang-format on

const Option* findOption(const std::string& word) {
    for (const Option& option : kOptions)
        if (word == option.name)
            return &option;
    return nullptr;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

EncodingRequest parseRequest(const std::vector<std::string>& arguments) {
    EncodingRequest request;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word.size() < 2 || word.front() != '-') {
            if (request.files.size() == 2) {
                request.refusal = "a third file name " + quoted(word) +
                                  ": lame.bin takes one input and one output.";
                return request;
            }
            request.files.push_back(word);
            continue;
        }
        if (isLibrarySwitch(word)) {
            request.settings.switches.insert(word);
            continue;
        }
        const Option* option = findOption(word);
        if (!option) {
            request.refusal = quoted(word) + " is not an option lame.bin knows.";
            return request;
        }
        std::string value;
        if (option->takesValue) {
            if (i + 1 == arguments.size()) {
                request.refusal = word + " needs a value and none follows.";
                return request;
            }
            value = arguments[++i];
        }
        const std::string wrong = option->apply(request.settings, value);
        if (!wrong.empty()) {
            request.refusal = word + " " + quoted(value) + ": " + wrong + ".";
            return request;
        }
    }
    if (request.files.empty())
        request.refusal = "no input file was named.";
    else if (request.files.size() == 1)
        request.refusal = "no output file was named.";
    return request;
}

} // namespace lamebin
