#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quendra {

// A file as the file system knows it, whatever name or link it is reached by.
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    bool operator==(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
};

// The identity of an executable regular file at the path; none for anything else.
using ExecutableProbe = std::function<std::optional<FileIdentity>(const std::string& path)>;

// The first "lame" on PATH that is not this program itself (someone may have linked lame.bin as
// "lame"; running it would start itself again and again). Empty when there is none.
std::string findLame(std::string_view pathText, const std::string& currentDir,
                     std::optional<FileIdentity> self, const ExecutableProbe& probe);

} // namespace quendra
