#pragma once

#include "EncodingFiles.h"

#include <cstddef>
#include <string>

namespace lamebin {

// What the platform's file system says about a name, its identity independent of the spelling.
PathInfo pathInfo(const std::string& path);

// The longest name, in bytes of UTF-8, that the platform opens.
extern const std::size_t kLongestPath;

} // namespace lamebin
