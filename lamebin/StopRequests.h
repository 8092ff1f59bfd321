#pragma once

#include <string>

namespace lamebin {

// Requests to stop from outside (Ctrl+C, a closed terminal or console window, the end of the
// session): the encoding stops at the next frame, so that the temporary file is removed.

// Catches the requests from now on.
void catchStopRequests();

// 0 while no request came, else the signal number it stands for (the exit code is 128 + it).
int stopRequest();

// The request in words, for the line saying that the output was not written.
std::string stopRequestText(int request);

} // namespace lamebin
