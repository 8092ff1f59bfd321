#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace launchtest {

// A program run on a pseudo-terminal, as inside a terminal window: what it shows, its end, and
// the terminal's side for keys or a hang-up. A program still running at the end is killed.
class PseudoTerminalTest : public testing::Test {
protected:
    void TearDown() override;

    // Starts the program (argv[0] its path) with the terminal as its input and output.
    void startOnTerminal(const std::vector<std::string>& argv);

    // Reads what the terminal shows; true once it contains the text.
    bool readUntil(const std::string& text);
    void drain();

    // The exit code once the program has ended by itself within the bound (128 + the signal for
    // a signal); -1 if it did not.
    int waitForExit(std::chrono::seconds bound = std::chrono::seconds(60));

    pid_t child = 0;
    int master = -1;
    std::string output;
};

} // namespace launchtest
