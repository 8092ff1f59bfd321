#include "FindLame.h"

#include "EncoderSearch.h"

namespace quendra {

std::string findLame(std::string_view pathText, const std::string& currentDir,
                     std::optional<FileIdentity> self, const ExecutableProbe& probe) {
    for (const std::string& directory : pathDirectories(pathText, currentDir)) {
        std::string candidate = directory;
        if (candidate.back() != '/')
            candidate += '/';
        candidate += "lame";
        const std::optional<FileIdentity> found = probe(candidate);
        if (found && !(self && *found == *self))
            return candidate;
    }
    return {};
}

} // namespace quendra
