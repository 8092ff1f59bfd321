#pragma once

#include "EncoderCommand.h"
#include "FormModel.h"

namespace quendra {

class CommandBuilder {
public:
    // Reads the model and never writes it; cannot fail, values go in as typed (a field's text up
    // to a NUL, if it holds one).
    static EncoderCommand build(const FormModel& model);
};

} // namespace quendra
