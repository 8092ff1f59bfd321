#pragma once

#include <string>
#include <vector>

namespace lamebin {

// Tag text from the command line (UTF-8) in the two forms LAME's tag functions take, converted
// as LAME's own program converts it: as far as it is valid UTF-8, characters ISO 8859-1 lacks
// transliterated or replaced by '?'.

// ISO 8859-1, for the ID3v1 tag.
std::string toLatin1(const std::string& utf8);

// UTF-16 code units, a byte-order mark first and a terminating 0 last, for the ID3v2 tag.
std::vector<unsigned short> toUtf16(const std::string& utf8);

// The platform's converters (TagTextPosix.cpp, TagTextWindows.cpp): as much of the text as they
// convert, in ISO 8859-1 and in UTF-16.
std::string latin1Bytes(const std::string& utf8);
std::u16string utf16Units(const std::string& utf8);

} // namespace lamebin
