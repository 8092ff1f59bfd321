#pragma once

#include <string>
#include <vector>

namespace quendra {

// One program start: the file to execute and the argument list it receives, argv[0] included.
struct ProgramCall {
    std::string program;
    std::vector<std::string> arguments;
};

// The title of the encoder's terminal window: the encoder and the output file, e.g.
// "lame.bin - out.mp3". The output is the last argument of the command.
std::string consoleTitle(const std::vector<std::string>& arguments);

// Whether a graphical session is there to show a terminal window in.
bool displayAvailable(const char* display, const char* waylandDisplay);

// The starts to try in turn until one succeeds: the encoder inside each terminal given (found
// terminal emulators, best first), then the encoder on its own, writing to the caller's output.
// "arguments" is the split command line, argv[0] the bare encoder name.
std::vector<ProgramCall> startOrder(const std::string& encoderPath,
                                    const std::vector<std::string>& arguments,
                                    const std::vector<std::string>& terminals);

} // namespace quendra
