#pragma once

#include <string>
#include <vector>

namespace quendra {

// The front-end's arguments (without argv[0]) in the words of Debian's LAME 3.100:
// "-b auto" becomes "-b 0" (its default bitrate) and "-k" becomes "--lowpass -1 --highpass -1"
// (full bandwidth). The value of an option is never translated, so a title "-k" stays a title.
std::vector<std::string> translateForLame(const std::vector<std::string>& arguments);

} // namespace quendra
