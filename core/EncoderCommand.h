#pragma once

#include <string>

namespace quendra {

// The encoder's command line for one press of "Start encoding": "lame.bin " and the options,
// with the input and the output path last.
struct EncoderCommand {
    std::string line;
};

} // namespace quendra
