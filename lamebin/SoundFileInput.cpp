#include "SoundFileInput.h"

#include <algorithm>
#include <vector>

namespace lamebin {

namespace {

// LAME's program drops this many samples at the start of MPEG Layer I and II input, its
// decoder's delay; lame.bin drops them too, so that both give the same length and timing.
constexpr sf_count_t kLayerOneAndTwoDelay = 241;

bool layerOneOrTwo(int format) {
    const int subtype = format & SF_FORMAT_SUBMASK;
    return (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG &&
           (subtype == SF_FORMAT_MPEG_LAYER_I || subtype == SF_FORMAT_MPEG_LAYER_II);
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
    why = sf_strerror(nullptr);
    if (!why.empty() && why.back() == '.')
        why.pop_back();
    why = "libsndfile cannot read it as audio (" + why + ")";
    return nullptr;
}

std::string SoundFileInput::open(const std::string& path) {
    info_ = SF_INFO{};
    std::string why;
    file_ = openFile(path, why);
    if (!file_)
        return why;
    // Float samples scaled to the full integer range, as LAME's program reads them.
    sf_command(file_, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
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
