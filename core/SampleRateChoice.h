#pragma once

#include "ControlNames.h"

#include <string_view>

namespace quendra {

// One entry of the sampling-frequency drop-down: what the encoder receives for it, which
// bitrate drop-down belongs to it, and the ABR bitrate used while that drop-down reads "auto".
struct SampleRateChoice {
    std::string_view text;
    std::string_view bareNumber;
    ControlName bitrateDropDown;
    std::string_view abrBitrate;

    // Exact, case-sensitive lookup; a text that is not an entry (typed by the user) has none.
    static const SampleRateChoice* find(std::string_view text);
};

} // namespace quendra
