#include "EncodingLoop.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace lamebin {

namespace {

EncodingOutcome failed(std::string error, unsigned long framesRead) {
    return {false, std::move(error), framesRead};
}

bool put(ByteSink& output, const unsigned char* bytes, std::size_t size) {
    return size == 0 || output.write(bytes, size);
}

std::string libraryFailure(int code) {
    return "LAME's library failed (code " + std::to_string(code) + ")";
}

} // namespace

EncodingOutcome encodeAll(LameEncoder& encoder, AudioInput& input, ByteSink& output,
                          const std::function<void()>& afterEachFrame) {
    const std::vector<unsigned char> id3v2 = encoder.id3v2Tag();
    if (!put(output, id3v2.data(), id3v2.size()))
        return failed(output.error(), 0);

    const int channels = input.channels();
    const long frameSize = encoder.frameSize();
    const int perCall = encoder.samplesPerCall();
    std::vector<int> interleaved(static_cast<std::size_t>(frameSize * channels));
    std::vector<int> left(static_cast<std::size_t>(frameSize));
    std::vector<int> right(static_cast<std::size_t>(frameSize));
    // Not cleared: the library writes before anything is read, and at low input rates the room
    // needed is large.
    const std::unique_ptr<unsigned char[]> mp3(new unsigned char[encoder.largestOutput()]);
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
        long done = 0;
        do {
            const int count = static_cast<int>(std::min<long>(got - done, perCall));
            const int made = encoder.encode(&left[done], &right[done], count, mp3.get());
            if (made < 0)
                return failed(libraryFailure(made), framesRead);
            if (!put(output, mp3.get(), static_cast<std::size_t>(made)))
                return failed(output.error(), framesRead);
            done += count;
        } while (done < got);
        afterEachFrame();
        if (got == 0)
            break;
    }
    const int last = encoder.flush(mp3.get());
    if (last < 0)
        return failed(libraryFailure(last), framesRead);
    const std::vector<unsigned char> id3v1 = encoder.id3v1Tag();
    if (!put(output, mp3.get(), static_cast<std::size_t>(last)) ||
        !put(output, id3v1.data(), id3v1.size()))
        return failed(output.error(), framesRead);
    const std::vector<unsigned char> lameTag = encoder.lameTag();
    if (!lameTag.empty() && output.canWriteBack() &&
        !output.writeAt(id3v2.size(), lameTag.data(), lameTag.size()))
        return failed(output.error(), framesRead);
    return {true, {}, framesRead};
}

} // namespace lamebin
