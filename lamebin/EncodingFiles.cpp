#include "EncodingFiles.h"

#include "FileSystem.h"

#include <algorithm>

namespace lamebin {

namespace {

// The first name in the path, of a folder or of the file, that is longer than a name can be.
std::string overlongName(const std::string& path) {
    for (std::size_t start = 0; start < path.size();) {
        const std::size_t end = std::min(path.find_first_of(kPathSeparators, start), path.size());
        const std::string name = path.substr(start, end - start);
        if (nameLength(name) > kLongestName)
            return name;
        start = end + 1;
    }
    return {};
}

} // namespace

std::string refusal(const std::vector<std::string>& files, const PathProbe& probe) {
    if (files.empty())
        return {};
    if (files[0].empty())
        return "no input file: its name is empty.";
    if (files.size() > 1 && files[1].empty())
        return "no output file: its name is empty.";
    for (std::size_t i = 0; i < files.size() && i < 2; ++i)
        if (files[i].size() > kLongestPath)
            return std::string(i == 0 ? "the input" : "the output") + " name is " +
                   std::to_string(files[i].size()) + " bytes long; a path can have at most " +
                   std::to_string(kLongestPath) + ".";
    if (files.size() > 1) {
        const std::string name = overlongName(files[1]);
        if (!name.empty())
            return "the output \"" + files[1] + "\" cannot be made: the name \"" + name +
                   "\" in it is " + std::to_string(nameLength(name)) + " " + kNameLengthUnits +
                   " long; a file or folder name can have at most " + std::to_string(kLongestName) +
                   ".";
    }
    const PathInfo input = probe(files[0]);
    if (input.directory)
        return "the input \"" + files[0] + "\" is a folder, not an audio file.";
    if (files.size() > 1 && input.exists) {
        const PathInfo output = probe(files[1]);
        if (output.exists && output.identity == input.identity)
            return "the output \"" + files[1] + "\" is the input file \"" + files[0] +
                   "\": the encoding would overwrite it.";
    }
    return {};
}

} // namespace lamebin
