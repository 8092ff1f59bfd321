#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lamebin {

// A file as the file system knows it, whatever name or link it is reached by.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
};

// What the file system says about a name given on the command line.
struct PathInfo {
    bool exists = false;
    bool directory = false;
    FileIdentity identity;
};
using PathProbe = std::function<PathInfo(const std::string& path)>;

// Why these file names (the input first, then the output) are not encoded, or empty when they
// may be: an empty name, a name longer than a path can be, an output with a file or folder name
// longer than a name can be, a folder as input, and an output that is the input, in the same or
// other words or through a link.
std::string refusal(const std::vector<std::string>& files, const PathProbe& probe);

} // namespace lamebin
