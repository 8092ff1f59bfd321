#pragma once

#include "EncoderLauncher.h"

#include <string>
#include <vector>

// Stands in for the encoder's start: keeps every command line it is given and answers with a
// result the test chooses.
class RecordingLauncher : public quendra::EncoderLauncher {
public:
    quendra::LaunchResult launch(const quendra::EncoderCommand& command) override {
        lines.push_back(command.line);
        return result;
    }
    std::vector<std::string> lines;
    quendra::LaunchResult result{true, {}, {}};
};
