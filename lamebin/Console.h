#pragma once

#include <string>
#include <vector>

namespace lamebin {

// The terminal or console lame.bin runs in: what it received, the progress line, and keeping a
// window of its own open after a failure.

// Readies the output for UTF-8 text.
void prepareConsole();

// The command line as received, for the first line of output: on Linux the arguments quoted for
// a shell (none where the front-end's starter showed it), on Windows the line itself.
std::string receivedCommandLine(const std::vector<std::string>& arguments);

// Whether the standard output is a terminal, so that a progress line redrawn in place shows.
bool outputIsTerminal();

// Draws "line" over the previous one; "last" ends the line.
void redrawLine(const std::string& line, bool last);

// Whether a failure should wait for Enter: the window closes as soon as lame.bin ends when the
// terminal or console is one of its own (on Linux the starter waits instead, where it runs it).
bool ownsItsWindow();

// Shows "what" and waits until Enter is pressed or the input ends.
void waitForEnter(const char* what);

} // namespace lamebin
