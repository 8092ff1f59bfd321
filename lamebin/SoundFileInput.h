#pragma once

#include "AudioInput.h"

#include <sndfile.h>

#include <functional>
#include <string>
#include <vector>

namespace lamebin {

// An audio file read through libsndfile: WAV, AIFF, MPEG Layer I, II and III and whatever else it
// knows. Opened by the platform (SoundFileInputPosix.cpp, SoundFileInputWindows.cpp) and handed
// to libsndfile as a descriptor, so that a path of any length the platform opens is read.
class SoundFileInput : public AudioInput {
public:
    ~SoundFileInput() override;

    // Opens the file; returns why it cannot be read as audio, in a person's words, or "".
    // Floating-point samples are scaled by the file's loudest sample, as LAME's program reads
    // them, which libsndfile finds by reading the whole file once first: "beforeLongPass" is
    // called before that when the file is long enough for it to take a while.
    std::string open(const std::string& path, const std::function<void()>& beforeLongPass);

    int channels() const override { return info_.channels; }
    int sampleRate() const override { return info_.samplerate; }
    unsigned long frames() const override;
    std::string formatName() const override;
    long read(int* samples, long frames) override;

private:
    // The file opened for "info_"; nullptr with the reason in "why". The platform opens the
    // file, libsndfile reads it through the descriptor.
    SNDFILE* openFile(const std::string& path, std::string& why);
    SNDFILE* openDescriptor(int fd, std::string& why);

    static constexpr sf_count_t kBlockFrames = 1 << 15;

    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
    std::vector<int> block_; // read ahead, from next_ on
    std::size_t next_ = 0;
};

} // namespace lamebin
