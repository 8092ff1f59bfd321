#pragma once

#include <string>
#include <vector>

namespace quendra {

// The front-end's arguments (without argv[0]) in the words of Debian's LAME 3.100:
// "-b auto" becomes "-b 0" (its default bitrate) and "-k" becomes "--lowpass -1 --highpass -1"
// (full bandwidth). The value of an option is never translated, so a title "-k" stays a title.
std::vector<std::string> translateForLame(const std::vector<std::string>& arguments);

// The file names among the front-end's arguments, in order: every argument that is neither an
// option nor an option's value. LAME reads the first as its input and the second as its output;
// an empty argument counts, and so does "-" (standard input or output).
std::vector<std::string> fileArguments(const std::vector<std::string>& arguments);

} // namespace quendra
