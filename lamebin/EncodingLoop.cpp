#include "EncodingLoop.h"

#include <lame.h>

#include <vector>

namespace lamebin {

namespace {

EncodingOutcome failed(std::string error, unsigned long framesRead) {
    return {EncodingOutcome::End::Failed, std::move(error), framesRead};
}

bool put(ByteSink& output, const std::vector<unsigned char>& bytes, std::size_t size) {
    return size == 0 || output.write(bytes.data(), size);
}

} // namespace

EncodingOutcome encodeAll(LameEncoder& encoder, AudioInput& input, ByteSink& output,
                          const std::function<bool()>& carryOn) {
    const std::vector<unsigned char> id3v2 = encoder.id3v2Tag();
    if (!put(output, id3v2, id3v2.size()))
        return failed(output.error(), 0);

    const int channels = input.channels();
    const long frameSize = encoder.frameSize();
    std::vector<int> interleaved(static_cast<std::size_t>(frameSize * channels));
    std::vector<int> left(static_cast<std::size_t>(frameSize));
    std::vector<int> right(static_cast<std::size_t>(frameSize));
    std::vector<unsigned char> mp3(LAME_MAXMP3BUFFER);
    unsigned long framesRead = 0;
    for (;;) {
        const long got = input.read(interleaved.data(), frameSize);
        if (got < 0)
            return failed("the input cannot be read on after " + std::to_string(framesRead) +
                              " samples",
                          framesRead);
        for (long i = 0; i < got; ++i) {
            left[i] = interleaved[i * channels];
            right[i] = channels == 2 ? interleaved[i * channels + 1] : 0;
        }
        framesRead += static_cast<unsigned long>(got);
        const int made = encoder.encode(left.data(), right.data(), static_cast<int>(got), mp3);
        if (made < 0)
            return failed("LAME's library failed (code " + std::to_string(made) + ")", framesRead);
        if (!put(output, mp3, static_cast<std::size_t>(made)))
            return failed(output.error(), framesRead);
        if (!carryOn())
            return {EncodingOutcome::End::Stopped, {}, framesRead};
        if (got == 0)
            break;
    }
    const int last = encoder.flush(mp3);
    if (last < 0)
        return failed("LAME's library failed (code " + std::to_string(last) + ")", framesRead);
    const std::vector<unsigned char> id3v1 = encoder.id3v1Tag();
    if (!put(output, mp3, static_cast<std::size_t>(last)) || !put(output, id3v1, id3v1.size()))
        return failed(output.error(), framesRead);
    const std::vector<unsigned char> lameTag = encoder.lameTag();
    if (!lameTag.empty() && !output.writeAt(id3v2.size(), lameTag.data(), lameTag.size()))
        return failed(output.error(), framesRead);
    return {EncodingOutcome::End::Complete, {}, framesRead};
}

} // namespace lamebin
