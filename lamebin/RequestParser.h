#pragma once

#include "EncoderSettings.h"

#include <string>
#include <vector>

namespace lamebin {

// What the front-end's command line asks for: the settings and the file names (the input, then
// the output), or why it cannot be done.
struct EncodingRequest {
    EncoderSettings settings;
    std::vector<std::string> files;
    std::string refusal; // empty when the line is understood
};

// Reads the arguments (without the program's name) in the words the window writes, with LAME
// 3.97's meanings. Every word must be one of the window's options or a file name, and every value
// must be of its option's kind; the first that is not gives the refusal, naming it.
EncodingRequest parseRequest(const std::vector<std::string>& arguments);

} // namespace lamebin
