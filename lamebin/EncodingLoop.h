#pragma once

#include "AudioInput.h"
#include "ByteSink.h"
#include "LameEncoder.h"

#include <functional>
#include <string>

namespace lamebin {

struct EncodingOutcome {
    enum class End { Complete, Failed, Stopped };
    End end = End::Complete;
    std::string error; // with Failed
    unsigned long framesRead = 0;
};

// The whole MP3 as LAME's program writes it: the ID3v2 tag, the frames of every sample read a
// frame's length at a time, the last frames, the ID3v1 tag, and the LAME tag written back over
// the first frame. "carryOn" is asked after every frame's worth of input; false stops the
// encoding where it is.
EncodingOutcome encodeAll(LameEncoder& encoder, AudioInput& input, ByteSink& output,
                          const std::function<bool()>& carryOn);

} // namespace lamebin
