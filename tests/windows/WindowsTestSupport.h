#pragma once

#include "ArgumentRecord.h"
#include "EncoderLauncher.h"

#include <string>
#include <vector>

namespace wintest {

using Args = std::vector<std::string>;

// The recording encoder, "lame.bin" beside the running test program.
std::string recorderPath();

// Starts the recording encoder on exactly each of these command lines (CreateProcess, no
// search, no shell) and returns what it recorded for each, in order.
std::vector<argrecord::Lists> recordLines(const std::vector<std::string>& lines);

// What the product's launcher did with one command, and what the encoder it started received.
struct Launch {
    quendra::LaunchResult result;
    argrecord::Lists record; // empty when nothing started
};

// Starts the command through quendra::systemEncoderLauncher() (WinExec) and waits for the
// recording encoder's report.
Launch launchAndRecord(const quendra::EncoderCommand& command);

// A line with tabs and other blanks made visible, for failure messages.
std::string shown(const std::string& line);

} // namespace wintest
