#pragma once

// Inside the POSIX launch units only: how a program is started apart from the front-end.

#include "EncoderLauncher.h"
#include "LaunchPlan.h"
#include "StartRequest.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace quendra {

// Everything a child needs, built before fork: after fork in a threaded program only
// async-signal-safe calls are allowed, so no allocation happens there.
struct PreparedCall {
    explicit PreparedCall(const ProgramCall& call);
    PreparedCall(const PreparedCall&) = delete;
    PreparedCall& operator=(const PreparedCall&) = delete;

    std::string program;
    std::vector<std::string> storage;
    std::vector<char*> argv;
};

// What the processes below the front-end report through the close-on-exec pipe. Nothing arrives
// for a program that was executed and is not watched.
struct ChildReport {
    enum Stage : int { ForkFailed, ExecFailed, Ended };
    Stage stage;
    int value; // the error, or how a watched program ended (a wait status)
};

struct Spawned {
    int reportFd = -1;    // the pipe's read end; -1 when nothing was started
    int error = 0;        // why nothing was started
    bool firstOk = false; // the session's first process ended as it should
};

// Starts the program in a session of its own through a first process that ends at once, so that
// the program is no session leader (it can never acquire the front-end's terminal) and becomes
// init's child: executed directly, or, given `watchFor`, as the child of a watcher that reports
// how it ended for that long.
Spawned spawn(const PreparedCall& call, std::optional<std::chrono::milliseconds> watchFor);

// One report, or 0 at the end of the pipe; -1 for nothing yet on a descriptor that does not block.
ssize_t readReport(int fd, ChildReport& report);

std::string errorText(int error);

// The encoder started without a terminal: "started" once it was executed, else why not.
LaunchResult withoutTerminal(const EncoderRequest& request, std::vector<std::string> searched);

} // namespace quendra
