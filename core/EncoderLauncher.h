#pragma once

#include "EncoderCommand.h"

#include <memory>
#include <string>
#include <vector>

namespace quendra {

// How a start of the encoder went. The encoder itself is never watched: "started" means only
// that its process began.
struct LaunchResult {
    bool started = false;
    std::string reason;                // why it did not start
    std::vector<std::string> searched; // the places where "lame.bin" was looked for
    bool pending = false;              // not known yet: follow() tells later
};

// Starts the encoder for one press of "Start encoding" and returns at once. Where the start is
// confirmed only later (a terminal window that runs the encoder once it is up), the press is
// pending until follow() gives its result; the launcher keeps nothing once a start is decided.
class EncoderLauncher {
public:
    virtual ~EncoderLauncher() = default;
    virtual LaunchResult launch(const EncoderCommand& command) = 0;
    // The pending presses looked at again, without waiting: the result of each one decided since
    // the last look, in the order decided.
    virtual std::vector<LaunchResult> follow() { return {}; }
    virtual bool pending() const { return false; }
};

// The platform's launcher: CreateProcessW with its own console on Windows, a detached process
// in a terminal window elsewhere (through the starter, confirmed later).
std::unique_ptr<EncoderLauncher> systemEncoderLauncher();

} // namespace quendra
