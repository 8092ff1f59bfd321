#pragma once

#include "AudioInput.h"

#include <sndfile.h>

#include <string>

namespace quendra {

// An audio file read through libsndfile: WAV, AIFF, MPEG Layer I, II and III and whatever else it
// knows. Opened through a descriptor, so that a path of any length Linux can open is read.
class SoundFileInput : public AudioInput {
public:
    ~SoundFileInput() override;

    // Opens the file; returns why it cannot be read as audio, or "".
    std::string open(const std::string& path);

    int channels() const override { return info_.channels; }
    int sampleRate() const override { return info_.samplerate; }
    unsigned long frames() const override;
    std::string formatName() const override;
    long read(int* samples, long frames) override;

private:
    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
};

} // namespace quendra
