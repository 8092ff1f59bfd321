#pragma once

#include "EncoderLauncher.h"

#include <string>
#include <utility>
#include <vector>

// Stands in for the encoder's start: keeps every command line it is given and answers with a
// result the test chooses. A press answered pending stays so until the test puts results in
// "decided", which the next follow() gives, one for each such press.
class RecordingLauncher : public quendra::EncoderLauncher {
public:
    quendra::LaunchResult launch(const quendra::EncoderCommand& command) override {
        lines.push_back(command.line);
        pendingPresses += result.pending ? 1 : 0;
        return result;
    }
    std::vector<quendra::LaunchResult> follow() override {
        ++follows;
        pendingPresses -= static_cast<int>(decided.size());
        return std::move(decided);
    }
    bool pending() const override { return pendingPresses > 0; }

    std::vector<std::string> lines;
    quendra::LaunchResult result{true, {}, {}, false};
    std::vector<quendra::LaunchResult> decided;
    int pendingPresses = 0;
    int follows = 0;
};
