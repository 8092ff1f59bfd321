#include "EncodingFiles.h"

#include "FileSystem.h"

namespace lamebin {

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
