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
};

// Starts the encoder for one press of "Start encoding" and returns at once, keeping nothing.
class EncoderLauncher {
public:
    virtual ~EncoderLauncher() = default;
    virtual LaunchResult launch(const EncoderCommand& command) = 0;
};

// The platform's launcher: CreateProcessW with its own console on Windows, a detached process
// in a terminal elsewhere.
std::unique_ptr<EncoderLauncher> systemEncoderLauncher();

} // namespace quendra
