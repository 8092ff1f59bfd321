// The POSIX start of the encoder: the search, then the encoder in a terminal window
// (TerminalStart, followed until it is decided) or without one (Spawn.h).
#include "CommandLine.h"
#include "LaunchPlan.h"
#include "PosixEncoderLauncher.h"
#include "Spawn.h"
#include "StartRequest.h"
#include "TerminalStart.h"

#include <cerrno>
#include <cstdlib>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

namespace quendra {

namespace {

const char* const kTerminals[] = {"x-terminal-emulator", "xterm"};

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string notFoundReason(const std::string& name, const SearchResult& search) {
    return search.notExecutable.empty()
               ? "The encoder \"" + name + "\" was not found."
               : "\"" + search.notExecutable + "\" is not an executable file.";
}

} // namespace

FileCheck probeFile(const std::string& path) {
    struct stat info = {};
    if (stat(path.c_str(), &info) != 0)
        return FileCheck::Missing;
    if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0)
        return FileCheck::Executable;
    return FileCheck::NotExecutable;
}

std::string currentDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        if (getcwd(buffer.data(), buffer.size()))
            return buffer.c_str();
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string runningProgramDirectory() {
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return directoryOf(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
        buffer.resize(buffer.size() * 2);
    }
}

PosixEncoderLauncher::PosixEncoderLauncher(std::string programDirectory, Console console,
                                           TerminalTimes times)
    : programDirectory_(std::move(programDirectory)), console_(console), times_(times) {}

PosixEncoderLauncher::~PosixEncoderLauncher() {
    while (!pending_.empty()) {
        follow();
        if (!pending_.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

LaunchResult PosixEncoderLauncher::launch(const EncoderCommand& command) {
    LaunchResult result;
    const std::vector<std::string> arguments = splitCommandLine(command.line);
    if (arguments.empty()) {
        result.reason = "The encoder command line is empty.";
        return result;
    }
    const Surroundings here{currentDirectory(), environment("PATH")};
    const SearchResult search = findEncoder(arguments.front(), here);
    result.searched = search.searched;
    if (search.found.empty()) {
        result.reason = notFoundReason(arguments.front(), search);
        return result;
    }
    const EncoderRequest request{search.found, arguments};
    // Without the starter no terminal can be given the words safely.
    const std::string starter = programDirectory() + "/" + kStarterName;
    if (std::vector<std::string> terminals = terminalsToTry(here);
        !terminals.empty() && probeFile(starter) == FileCheck::Executable) {
        auto start = std::make_unique<TerminalStart>(request, std::move(terminals), starter, times_,
                                                     result.searched);
        if (start->begin()) {
            pending_.push_back(std::move(start));
            result.pending = true;
            return result;
        }
    }
    return withoutTerminal(request, result.searched);
}

std::vector<LaunchResult> PosixEncoderLauncher::follow() {
    std::vector<LaunchResult> decided;
    for (auto start = pending_.begin(); start != pending_.end();) {
        if (std::optional<LaunchResult> outcome = (*start)->follow()) {
            decided.push_back(std::move(*outcome));
            start = pending_.erase(start);
        } else {
            ++start;
        }
    }
    return decided;
}

std::string PosixEncoderLauncher::programDirectory() const {
    return programDirectory_.empty() ? runningProgramDirectory() : programDirectory_;
}

SearchResult PosixEncoderLauncher::findEncoder(const std::string& name,
                                               const Surroundings& here) const {
    return findProgram(name, programDirectory(), here.currentDir, here.pathText, probeFile);
}

std::vector<std::string> PosixEncoderLauncher::terminalsToTry(const Surroundings& here) const {
    std::vector<std::string> terminals;
    if (console_ != Console::TerminalWhereDisplay ||
        !displayAvailable(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")))
        return terminals;
    const std::vector<std::string> path = pathDirectories(here.pathText, here.currentDir);
    for (const char* terminal : kTerminals) {
        SearchResult found = searchDirectories(terminal, path, probeFile);
        if (!found.found.empty())
            terminals.push_back(std::move(found.found));
    }
    return terminals;
}

std::unique_ptr<EncoderLauncher> systemEncoderLauncher() {
    return std::make_unique<PosixEncoderLauncher>();
}

} // namespace quendra
