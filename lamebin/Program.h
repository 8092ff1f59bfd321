#pragma once

#include <string>
#include <vector>

namespace lamebin {

// The whole of lame.bin for its arguments in UTF-8, the program's name first; returns the exit
// code: 0 written, 1 failed, 2 refused, 128 + the signal when stopped.
int runProgram(const std::vector<std::string>& arguments);

} // namespace lamebin
