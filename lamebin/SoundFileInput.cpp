#include "SoundFileInput.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace lamebin {

namespace {

// LAME's program drops this many samples at the start of MPEG Layer I and II input, its
// decoder's delay; lame.bin drops them too, so that both give the same length and timing.
constexpr sf_count_t kLayerOneAndTwoDelay = 241;

// Past this many samples the pass that finds the loudest one takes a while (256 MiB of float
// samples: seconds from a disk).
constexpr sf_count_t kLongPassSamples = sf_count_t(1) << 26;

bool layerOneOrTwo(int format) {
    const int subtype = format & SF_FORMAT_SUBMASK;
    return (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG &&
           (subtype == SF_FORMAT_MPEG_LAYER_I || subtype == SF_FORMAT_MPEG_LAYER_II);
}

// The encodings whose samples libsndfile scales by the loudest one when asked to; the others
// are read the same either way.
bool floatingPoint(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
    case SF_FORMAT_VORBIS:
    case SF_FORMAT_OPUS:
        return true;
    default:
        return false;
    }
}

// The number after "label" on the last line of libsndfile's log that has it, or "".
std::string logged(const std::string& log, const std::string& label) {
    const std::size_t at = log.rfind(label);
    if (at == std::string::npos)
        return {};
    const std::size_t start = log.find_first_not_of(" :", at + label.size());
    const std::size_t end = log.find_first_of(" \n", start);
    return start == std::string::npos ? std::string() : log.substr(start, end - start);
}

// What libsndfile could not read, in a person's words where its own are about its insides: the
// header it read (logged in full when it refused it) or the file's end before any sound.
std::string unreadable(const std::string& log, std::string libraryWords) {
    const std::string rate = logged(log, "\n Sample rate");
    if (!rate.empty()) {
        const std::string channels = logged(log, "\n Channels");
        if (std::strtoll(rate.c_str(), nullptr, 10) < 1)
            return "its sample rate, " + rate + " Hz, is not a sound's";
        if (std::strtoll(channels.c_str(), nullptr, 10) < 1)
            return "its header gives it " + channels + " channels";
        return "its header does not describe a sound";
    }
    if (log.find("short count") != std::string::npos ||
        log.find("Cannot get MPEG decoder configuration") != std::string::npos)
        return "it ends before its first sound";
    if (!libraryWords.empty() && libraryWords.back() == '.')
        libraryWords.pop_back();
    return "libsndfile cannot read it as audio (" + libraryWords + ")";
}

} // namespace

SoundFileInput::~SoundFileInput() {
    if (file_)
        sf_close(file_);
}

SNDFILE* SoundFileInput::openDescriptor(int fd, std::string& why) {
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info_, SF_TRUE);
    if (file)
        return file;
    const std::string libraryWords = sf_strerror(nullptr);
    std::vector<char> log(1 << 14);
    sf_command(nullptr, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()));
    why = unreadable(log.data(), libraryWords);
    return nullptr;
}

std::string SoundFileInput::open(const std::string& path,
                                 const std::function<void()>& beforeLongPass) {
    info_ = SF_INFO{};
    std::string why;
    file_ = openFile(path, why);
    if (!file_)
        return why;
    if (floatingPoint(info_.format)) {
        if (info_.frames > kLongPassSamples / info_.channels)
            beforeLongPass();
        sf_command(file_, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    }
    if (layerOneOrTwo(info_.format)) {
        std::vector<int> skipped(static_cast<std::size_t>(kLayerOneAndTwoDelay * info_.channels));
        const sf_count_t dropped = sf_readf_int(file_, skipped.data(), kLayerOneAndTwoDelay);
        if (info_.frames >= dropped)
            info_.frames -= dropped;
    }
    return {};
}

unsigned long SoundFileInput::frames() const {
    if (info_.frames < 0 || info_.frames >= static_cast<sf_count_t>(0xffffffffUL))
        return 0xffffffffUL; // unknown: LAME counts as it goes
    return static_cast<unsigned long>(info_.frames);
}

std::string SoundFileInput::formatName() const {
    SF_FORMAT_INFO format{};
    format.format = info_.format & SF_FORMAT_TYPEMASK;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &format, sizeof format) != 0 || !format.name)
        return "audio";
    std::string name = format.name;
    return name.substr(0, name.find(' '));
}

// The file is read in large blocks and handed out a frame's length at a time: a read of the file
// costs far more than a copy, under wine most of all.
long SoundFileInput::read(int* samples, long frames) {
    const std::size_t channels = static_cast<std::size_t>(info_.channels);
    if (next_ == block_.size()) {
        block_.resize(kBlockFrames * channels);
        const sf_count_t got = sf_readf_int(file_, block_.data(), kBlockFrames);
        if (got == 0 && sf_error(file_) != SF_ERR_NO_ERROR)
            return -1;
        block_.resize(static_cast<std::size_t>(got) * channels);
        next_ = 0;
    }
    const std::size_t wanted = static_cast<std::size_t>(frames) * channels;
    const std::size_t given = std::min(wanted, block_.size() - next_);
    std::copy_n(block_.begin() + static_cast<std::ptrdiff_t>(next_), given, samples);
    next_ += given;
    return channels ? static_cast<long>(given / channels) : 0;
}

} // namespace lamebin
