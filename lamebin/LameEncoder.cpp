#include "LameEncoder.h"

#include "IgnoredOptions.h"
#include "TagText.h"

#include <cstdarg>
#include <cstdio>
#include <stdexcept>

#include <strings.h>

namespace quendra {

namespace {

using Settings = EncoderSettings;

void report(const char* format, va_list arguments) {
    std::vfprintf(stderr, format, arguments);
}

MPEG_mode libraryMode(Settings::ChannelMode mode) {
    switch (mode) {
    case Settings::ChannelMode::Stereo: return STEREO;
    case Settings::ChannelMode::DualChannel: return DUAL_CHANNEL;
    case Settings::ChannelMode::Mono: return MONO;
    default: return JOINT_STEREO;
    }
}

// The ID3v1 (ISO 8859-1) and ID3v2 (UTF-16) forms of one tag, set as LAME's program sets them.
// Returns the library's answer: 0 when both forms hold the value.
int setTag(lame_t lame, char letter, const std::string& value) {
    const std::string latin1 = toLatin1(value);
    const std::vector<unsigned short> utf16 = toUtf16(value);
    switch (letter) {
    case 't':
        id3tag_set_title(lame, latin1.c_str());
        return id3tag_set_textinfo_utf16(lame, "TIT2", utf16.data());
    case 'a':
        id3tag_set_artist(lame, latin1.c_str());
        return id3tag_set_textinfo_utf16(lame, "TPE1", utf16.data());
    case 'l':
        id3tag_set_album(lame, latin1.c_str());
        return id3tag_set_textinfo_utf16(lame, "TALB", utf16.data());
    case 'y':
        id3tag_set_year(lame, latin1.c_str());
        return id3tag_set_textinfo_utf16(lame, "TYER", utf16.data());
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
    default: return 0;
    }
}

// The genre byte of the ID3v1 tag as set so far; -1 when there is no tag.
int id3v1Genre(lame_t lame) {
    unsigned char tag[128];
    return lame_get_id3v1_tag(lame, tag, sizeof tag) == sizeof tag ? tag[127] : -1;
}

bool sameLetters(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
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

void setChannelsAndFrequency(lame_t lame, const Settings& s) {
    if (s.channelMode) {
        lame_set_mode(lame, libraryMode(*s.channelMode));
        if (*s.channelMode == Settings::ChannelMode::ForcedJointStereo)
            lame_set_force_ms(lame, 1);
    }
    if (s.outputSampleRate)
        lame_set_out_samplerate(lame, *s.outputSampleRate);
    if (s.emphasis)
        lame_set_emphasis(lame, *s.emphasis);
    lame_set_findReplayGain(lame, s.replayGain != Settings::ReplayGain::Off);
    if (s.replayGain == Settings::ReplayGain::Accurate)
        lame_set_decode_on_the_fly(lame, 1);
    if (s.scale)
        lame_set_scale(lame, *s.scale);
    if (s.quality)
        lame_set_quality(lame, *s.quality);
}

void setStreamFlags(lame_t lame, const Settings& s) {
    if (s.errorProtection)
        lame_set_error_protection(lame, 1);
    if (s.notOriginal)
        lame_set_original(lame, 0);
    if (s.copyright)
        lame_set_copyright(lame, 1);
    if (s.freeFormat)
        lame_set_free_format(lame, 1);
    if (s.strictIso)
        lame_set_strict_ISO(lame, MDB_STRICT_ISO);
    if (s.noReservoir)
        lame_set_disable_reservoir(lame, 1);
    if (s.noLameTag)
        lame_set_bWriteVbrTag(lame, 0);
}

void setPsychoacoustics(lame_t lame, const Settings& s) {
    if (s.noAth)
        lame_set_noATH(lame, 1);
    if (s.athType)
        lame_set_ATHtype(lame, *s.athType);
    if (s.athOnly)
        lame_set_ATHonly(lame, 1);
    if (s.athShort)
        lame_set_ATHshort(lame, 1);
    if (s.athLower)
        lame_set_ATHlower(lame, *s.athLower);
    if (s.noShortBlocks)
        lame_set_no_short_blocks(lame, 1);
    if (s.allShortBlocks)
        lame_set_force_short_blocks(lame, 1);
    if (s.differentShortBlocks)
        lame_set_allow_diff_short(lame, 1);
    if (s.noTemporalMasking)
        lame_set_useTemporal(lame, 0);
    if (s.quantComparison) {
        lame_set_quant_comp(lame, *s.quantComparison);
        lame_set_quant_comp_short(lame, *s.quantComparison);
    }
}

void setFilters(lame_t lame, const Settings& s) {
    if (s.lowpass)
        lame_set_lowpassfreq(lame, *s.lowpass);
    if (s.lowpassWidth)
        lame_set_lowpasswidth(lame, *s.lowpassWidth);
    if (s.highpass)
        lame_set_highpassfreq(lame, *s.highpass);
    if (s.highpassWidth)
        lame_set_highpasswidth(lame, *s.highpassWidth);
    if (s.noMmx)
        lame_set_asm_optimizations(lame, MMX, 0);
    if (s.no3dNow)
        lame_set_asm_optimizations(lame, AMD_3DNOW, 0);
    if (s.noSse)
        lame_set_asm_optimizations(lame, SSE, 0);
}


} // namespace

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
    setChannelsAndFrequency(lame_, settings);
    setStreamFlags(lame_, settings);
    setPsychoacoustics(lame_, settings);
    setFilters(lame_, settings);
    notes = ignoredByLibrary(settings);
    if (settings.freeFormat && (lame_get_brate(lame_) < 8 || lame_get_brate(lame_) > 640))
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
    return {};
}

int LameEncoder::frameSize() const {
    return lame_get_framesize(lame_);
}

int LameEncoder::channels() const {
    return lame_get_num_channels(lame_);
}

std::vector<unsigned char> LameEncoder::id3v2Tag() {
    std::vector<unsigned char> tag(lame_get_id3v2_tag(lame_, nullptr, 0));
    if (!tag.empty())
        tag.resize(lame_get_id3v2_tag(lame_, tag.data(), tag.size()));
    return tag;
}

int LameEncoder::encode(const int* left, const int* right, int count,
                        std::vector<unsigned char>& out) {
    return lame_encode_buffer_int(lame_, left, right, count, out.data(),
                                  static_cast<int>(out.size()));
}

int LameEncoder::flush(std::vector<unsigned char>& out) {
    return lame_encode_flush(lame_, out.data(), static_cast<int>(out.size()));
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

int LameEncoder::outputSampleRate() const {
    return lame_get_out_samplerate(lame_);
}

bool LameEncoder::replayGainFound() const {
    return lame_get_findReplayGain(lame_) != 0;
}

double LameEncoder::replayGainDb() const {
    return lame_get_RadioGain(lame_) / 10.0;
}

} // namespace quendra
