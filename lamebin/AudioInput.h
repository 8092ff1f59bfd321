#pragma once

#include <string>

namespace lamebin {

// Samples to encode, interleaved, as 32-bit integers at full scale.
class AudioInput {
public:
    virtual ~AudioInput() = default;
    virtual int channels() const = 0;
    virtual int sampleRate() const = 0;
    virtual unsigned long frames() const = 0; // per channel, as the file announces it
    virtual std::string formatName() const = 0;
    // Reads up to "frames" frames into "samples"; returns the frames read, 0 at the end, or -1
    // when the file cannot be read on.
    virtual long read(int* samples, long frames) = 0;
};

} // namespace lamebin
