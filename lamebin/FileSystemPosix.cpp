#include "FileSystem.h"

#include <climits>

#include <sys/stat.h>

namespace lamebin {

// PATH_MAX with the terminating NUL.
const std::size_t kLongestPath = 4095;
const std::size_t kLongestName = NAME_MAX;
const char* const kNameLengthUnits = "bytes";
const char* const kPathSeparators = "/";

std::size_t nameLength(const std::string& name) {
    return name.size();
}

PathInfo pathInfo(const std::string& path) {
    struct stat info = {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {true, S_ISDIR(info.st_mode),
            FileIdentity{static_cast<unsigned long long>(info.st_dev),
                         static_cast<unsigned long long>(info.st_ino)}};
}

} // namespace lamebin
