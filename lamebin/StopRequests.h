#pragma once

#include <cstdint>
#include <string>

namespace lamebin {

// Requests to stop from outside (Ctrl+C, a closed terminal or console window, SIGTERM, the end
// of the session) end the run at once, whatever it is doing (waiting for a pipe to open,
// libsndfile reading the whole input, encoding), with 128 + the signal number: the temporary
// output is removed first, and a line says what became of the output. Only while the output is
// being made or put in place does a request wait for that step (StopHold), and once the output
// is in place a request no longer ends the run.

// Catches the requests from now on.
void catchStopRequests();

// What the line said at a stop ends with, after "stopped by <the request>; ".
void sayAtStop(const std::string& words);

// The file a stop removes, by its folder's descriptor and its name in it: the temporary output
// on Linux ("" for none). Windows removes it by itself: it is made to go with its last handle.
void removeAtStop(std::intptr_t folder, const std::string& name);

// From now on a request no longer ends the run: the output is complete and in place.
void endStopRequests();

// A request that comes while a hold lives ends the run only when the hold ends, so that the step
// it guards is done whole: the temporary output made and named to removeAtStop, or put in place.
class StopHold {
public:
    StopHold();
    ~StopHold();
    StopHold(const StopHold&) = delete;
    StopHold& operator=(const StopHold&) = delete;
};

} // namespace lamebin
