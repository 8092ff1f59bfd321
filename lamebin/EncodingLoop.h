#pragma once

#include "AudioInput.h"
#include "ByteSink.h"
#include "LameEncoder.h"

#include <functional>
#include <string>

namespace lamebin {

struct EncodingOutcome {
    bool complete = true;
    std::string error; // when not complete
    unsigned long framesRead = 0;
};

// The whole MP3 as LAME's program writes it: the ID3v2 tag, the frames of every sample read a
// frame's length at a time and handed to the library in pieces of at most samplesPerCall(), the
// last frames, the ID3v1 tag, and the LAME tag written back over the first frame where the
// output can be written back into (not a pipe). "afterEachFrame" is called after every frame's
// worth of input.
EncodingOutcome encodeAll(LameEncoder& encoder, AudioInput& input, ByteSink& output,
                          const std::function<void()>& afterEachFrame);

} // namespace lamebin
