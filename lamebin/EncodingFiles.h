#pragma once

#include "FindLame.h"

#include <functional>
#include <string>
#include <vector>

namespace quendra {

// What the file system says about a name given on the command line.
struct PathInfo {
    bool exists = false;
    bool directory = false;
    FileIdentity identity;
};
using PathProbe = std::function<PathInfo(const std::string& path)>;

// Why LAME must not be run with these file names (the input first, then the output), or empty
// when it may. LAME skips an empty name and takes the next one in its place, reads past the end
// of a name longer than a path can be, reports success on a folder as input with an MP3 that
// holds no sound, and overwrites its input when the output names the same file in other words.
std::string refusal(const std::vector<std::string>& files, const PathProbe& probe);

} // namespace quendra
