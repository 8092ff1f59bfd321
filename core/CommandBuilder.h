#pragma once

#include "FormModel.h"

#include <string>

namespace quendra {

// The encoder's command line for one press of "Start encoding": "lame.bin " and the options,
// with the input and the output path last.
struct EncoderCommand {
    std::string line;
};

class CommandBuilder {
public:
    // Reads the model and never writes it; cannot fail, values go in as typed.
    static EncoderCommand build(const FormModel& model);
};

} // namespace quendra
