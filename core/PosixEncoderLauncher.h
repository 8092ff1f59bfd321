#pragma once

#include "EncoderLauncher.h"
#include "EncoderSearch.h"

#include <string>
#include <vector>

namespace quendra {

// Where the encoder's progress is shown.
enum class Console {
    TerminalWhereDisplay, // a new terminal window when a display exists, else the caller's output
    None,                 // never a terminal window: the caller's output
};

// Starts "lame.bin" as a detached process of its own session: no shell, standard input from
// /dev/null, none of the caller's other descriptors, never waited for. "started" is reported
// only once the final program has been executed.
class PosixEncoderLauncher : public EncoderLauncher {
public:
    // programDirectory: where the encoder is looked for first; empty means the directory of the
    // running program.
    explicit PosixEncoderLauncher(std::string programDirectory = {},
                                  Console console = Console::TerminalWhereDisplay);

    LaunchResult launch(const EncoderCommand& command) override;

private:
    // Where the encoder is looked for besides the program's own directory.
    struct Surroundings {
        std::string currentDir;
        std::string pathText;
    };
    SearchResult findEncoder(const std::string& name, const Surroundings& here) const;
    // The terminal emulators found on PATH, best first; none without a display.
    std::vector<std::string> terminalsToTry(const Surroundings& here) const;

    std::string programDirectory_;
    Console console_;
};

// The real file system's answer for one candidate path.
FileCheck probeFile(const std::string& path);

// The process's current directory; empty where it cannot be read.
std::string currentDirectory();

// The directory of the running program, from /proc/self/exe; empty where it cannot be read.
std::string runningProgramDirectory();

} // namespace quendra
