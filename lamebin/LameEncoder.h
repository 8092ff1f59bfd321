#pragma once

#include "EncoderSettings.h"

#include <lame.h>

#include <string>
#include <vector>

namespace lamebin {

// Whether the word is a switch that the library takes as it is: one of the words without a
// value that EncoderSettings::switches holds.
bool isLibrarySwitch(const std::string& word);

// One encoding through LAME's library, set up in the order LAME's own program uses, so that the
// same settings and samples give the same bytes: the settings and tags first, then the input's
// shape, then the library's own checks.
class LameEncoder {
public:
    LameEncoder();
    ~LameEncoder();
    LameEncoder(const LameEncoder&) = delete;
    LameEncoder& operator=(const LameEncoder&) = delete;

    // Hands every setting and tag to the library. Returns why they cannot be used, or "";
    // "notes" gets a line for each setting the library takes but does not act on.
    std::string configure(const EncoderSettings& settings, std::vector<std::string>& notes);
    // The input's shape; "frames" is per channel. Returns why the library refuses it, or "".
    std::string describeInput(int channels, int sampleRate, unsigned long frames);
    // The library's checks of everything set; returns why it refuses, or "".
    std::string start();

    int frameSize() const;
    // The most samples per channel that one call of encode() is given, as LAME's program feeds
    // the library: what fits its usual output buffer, at least one.
    int samplesPerCall() const;
    // The bytes one call of encode() or flush() can make at most, with no more than
    // samplesPerCall() samples: at very low input rates one sample becomes many frames.
    std::size_t largestOutput() const { return largestOutput_; }
    std::vector<unsigned char> id3v2Tag();
    // Encodes "count" samples per channel into "out", which has room for largestOutput() bytes;
    // returns the bytes made, or a negative code of the library's.
    int encode(const int* left, const int* right, int count, unsigned char* out);
    int flush(unsigned char* out);
    std::vector<unsigned char> id3v1Tag();
    std::vector<unsigned char> lameTag(); // empty with -t

    int framesDone() const;
    int framesTotal() const;
    bool replayGainFound() const;
    double replayGainDb() const;

private:
    std::size_t outputBound() const;

    lame_t lame_;
    std::size_t largestOutput_ = LAME_MAXMP3BUFFER;
};

} // namespace lamebin
