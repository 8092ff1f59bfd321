#pragma once

#include <optional>
#include <string>
#include <string_view>
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

// Whether every terminal reads the path as itself, however it splits, quotes, joins or evaluates
// the words it is given: an absolute path of letters, digits, '.', '_', '-' and '/' only.
bool plainPath(std::string_view path);

// A terminal emulator asked to run the starter with a request: "-e", the starter, the request.
// No option a terminal may refuse, and no word of the person's: both paths are plain.
ProgramCall terminalCall(const std::string& terminal, const std::string& starter,
                         const std::string& request);

// What is known of one terminal tried for a press of "Start encoding".
struct TrySight {
    std::optional<int> report; // the starter's report: 0 the encoder runs, else its start's error
    bool claimed = false;      // a withdrawal found the request taken by the starter
    bool starterLives = false; // the starter that took it has not ended
    bool terminalGone = false; // the terminal could not be executed, or ended with a failure
    bool timeUp = false;       // the time for the starter to take the request is up
};

enum class TryVerdict {
    Wait,        // look again later
    Started,     // the encoder runs
    Failed,      // the starter could not start the encoder: another way would fail alike
    GiveWay,     // withdraw the request; the next terminal, or the encoder without one, goes on
    Unconfirmed, // the starter took the request but ended without saying that the encoder runs
};

// A terminal that exits with success may have handed the window to a server of its own, so only
// the starter's claim, a failure or the time decide. A request taken is never a failure while
// the starter that took it lives.
TryVerdict judgeTry(const TrySight& sight);

} // namespace quendra
