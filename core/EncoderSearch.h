#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// What a candidate path turned out to be. Only an executable regular file can be started.
enum class FileCheck { Missing, NotExecutable, Executable };
using FileProbe = std::function<FileCheck(const std::string& path)>;

struct SearchResult {
    std::string found;                 // the first executable candidate; empty if none
    std::string notExecutable;         // the first candidate that exists but cannot be started
    std::vector<std::string> searched; // every candidate looked at, in order
};

// The directories of a PATH value, in order. An empty entry stands for the current directory,
// a relative one is taken from it; a directory listed twice is kept once.
std::vector<std::string> pathDirectories(std::string_view pathText, const std::string& currentDir);

// "directory/name" for each directory in turn, up to the first executable one. Directories
// that are empty or already searched are skipped.
SearchResult searchDirectories(std::string_view name, const std::vector<std::string>& directories,
                               const FileProbe& probe);

// The platform's order for a bare program name: the directory of the running program first (so
// the encoder shipped beside it wins wherever the current directory has moved to), then the
// current directory, then PATH.
SearchResult findProgram(std::string_view name, const std::string& programDir,
                         const std::string& currentDir, std::string_view pathText,
                         const FileProbe& probe);

// The directory part of a path: "" for a bare name, "/" for a file in the root.
std::string directoryOf(std::string_view path);

} // namespace quendra
