#pragma once

#include "EncodingFiles.h"

#include <cstddef>
#include <string>

namespace lamebin {

// What the platform's file system says about a name, its identity independent of the spelling.
PathInfo pathInfo(const std::string& path);

// The longest name, in bytes of UTF-8, that the platform opens.
extern const std::size_t kLongestPath;

// The longest name of one file or folder in a path, in the units nameLength() counts: bytes on
// Linux, UTF-16 units on Windows, as the file systems count them.
extern const std::size_t kLongestName;
std::size_t nameLength(const std::string& name);
extern const char* const kNameLengthUnits; // "bytes", "characters"

// What separates the names in a path.
extern const char* const kPathSeparators;

} // namespace lamebin
