#pragma once

#include "EncoderLauncher.h"
#include "EncoderSearch.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace quendra {

// Where the encoder's progress is shown.
enum class Console {
    TerminalWhereDisplay, // a new terminal window when a display exists, else the caller's output
    None,                 // never a terminal window: the caller's output
};

// How long a start in a terminal window is waited for. Once the starter took the request, it is
// waited for as long as it lives: it says that the encoder runs before it writes to the
// terminal, so no terminal, however slow, holds that back.
struct TerminalTimes {
    // For the starter to take the request: past it the next terminal is tried.
    std::chrono::milliseconds claim{5000};
};

class TerminalStart;

// Starts "lame.bin" as a process of a session of its own, never a child of the caller: no shell,
// standard input from /dev/null, none of the caller's other descriptors, never waited for.
//
// With a display, in a terminal window: the terminal is given only a link to the starter beside
// the program and a request file, both in the program's private folder (PrivateFolder.h); the
// request holds the encoder's path and its exact words, and the starter runs the encoder with
// them. Where no private folder can be had, the encoder starts without a terminal. Such a start
// stays pending until the starter says that the encoder runs; a terminal that fails, or has not
// taken the request in time, gives way to the next (x-terminal-emulator, then xterm), and the last
// way is the encoder without a terminal. Exactly one of them runs the encoder: the request is
// either taken by the starter or withdrawn. "started" is reported only once the encoder has been
// executed.
class PosixEncoderLauncher : public EncoderLauncher {
public:
    // programDirectory: where the encoder and the starter are looked for first; empty means the
    // directory of the running program.
    explicit PosixEncoderLauncher(std::string programDirectory = {},
                                  Console console = Console::TerminalWhereDisplay,
                                  TerminalTimes times = {});
    // Waits for the pending starts to be decided, so that no press is left halfway.
    ~PosixEncoderLauncher() override;

    LaunchResult launch(const EncoderCommand& command) override;
    std::vector<LaunchResult> follow() override;
    bool pending() const override { return !pending_.empty(); }

private:
    // Where the encoder is looked for besides the program's own directory.
    struct Surroundings {
        std::string currentDir;
        std::string pathText;
    };
    std::string programDirectory() const;
    SearchResult findEncoder(const std::string& name, const Surroundings& here) const;
    // The terminal emulators found on PATH, best first; none without a display or a starter.
    std::vector<std::string> terminalsToTry(const Surroundings& here) const;

    std::string programDirectory_;
    Console console_;
    TerminalTimes times_;
    std::vector<std::unique_ptr<TerminalStart>> pending_;
};

// The real file system's answer for one candidate path.
FileCheck probeFile(const std::string& path);

// The process's current directory; empty where it cannot be read.
std::string currentDirectory();

// The directory of the running program, from /proc/self/exe; empty where it cannot be read.
std::string runningProgramDirectory();

} // namespace quendra
