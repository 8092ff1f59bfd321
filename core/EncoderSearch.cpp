#include "EncoderSearch.h"

#include <algorithm>

namespace quendra {

namespace {

std::string joinPath(const std::string& directory, std::string_view name) {
    std::string path = directory;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

void addOnce(std::vector<std::string>& directories, std::string directory) {
    if (directory.empty())
        return;
    if (std::find(directories.begin(), directories.end(), directory) == directories.end())
        directories.push_back(std::move(directory));
}

} // namespace

std::vector<std::string> pathDirectories(std::string_view pathText, const std::string& currentDir) {
    std::vector<std::string> directories;
    if (pathText.empty())
        return directories;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = pathText.find(':', start);
        const std::string_view entry = pathText.substr(
            start, colon == std::string_view::npos ? std::string_view::npos : colon - start);
        if (entry.empty())
            addOnce(directories, currentDir);
        else if (entry.front() == '/' || currentDir.empty())
            addOnce(directories, std::string(entry));
        else
            addOnce(directories, joinPath(currentDir, entry));
        if (colon == std::string_view::npos)
            break;
        start = colon + 1;
    }
    return directories;
}

SearchResult searchDirectories(std::string_view name, const std::vector<std::string>& directories,
                               const FileProbe& probe) {
    SearchResult result;
    std::vector<std::string> seen;
    for (const std::string& directory : directories) {
        if (directory.empty() || std::find(seen.begin(), seen.end(), directory) != seen.end())
            continue;
        seen.push_back(directory);
        std::string candidate = joinPath(directory, name);
        result.searched.push_back(candidate);
        switch (probe(candidate)) {
        case FileCheck::Executable:
            result.found = std::move(candidate);
            return result;
        case FileCheck::NotExecutable:
            if (result.notExecutable.empty())
                result.notExecutable = candidate;
            break;
        case FileCheck::Missing:
            break;
        }
    }
    return result;
}

SearchResult findProgram(std::string_view name, const std::string& programDir,
                         const std::string& currentDir, std::string_view pathText,
                         const FileProbe& probe) {
    std::vector<std::string> directories{programDir, currentDir};
    const std::vector<std::string> path = pathDirectories(pathText, currentDir);
    directories.insert(directories.end(), path.begin(), path.end());
    return searchDirectories(name, directories, probe);
}

std::string directoryOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {};
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

} // namespace quendra
