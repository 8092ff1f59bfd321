#pragma once

// Inside the POSIX launch units only: one press of "Start encoding" in a terminal window.

#include "EncoderLauncher.h"
#include "PosixEncoderLauncher.h"
#include "StartRequest.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace quendra {

// One press in a terminal window, from its first terminal to its outcome. Each terminal is given
// only two paths in the program's private folder (PrivateFolder.h): the starter's link, which
// stays for any terminal that comes late, and a request in a folder of this press's own, which
// goes once the press is decided (or, where the window ended first, at the next press).
class TerminalStart {
public:
    TerminalStart(EncoderRequest request, std::vector<std::string> terminals, std::string starter,
                  TerminalTimes times, std::vector<std::string> searched);
    ~TerminalStart();
    TerminalStart(const TerminalStart&) = delete;
    TerminalStart& operator=(const TerminalStart&) = delete;

    // The press's folder made and the first terminal started; false where neither could be.
    bool begin();

    // The outcome, once decided; never waits.
    std::optional<LaunchResult> follow();

private:
    bool startNextTerminal();
    void readWatch();
    int withdraw() const;
    std::optional<int> readStarterReport() const;
    bool starterLives() const;
    LaunchResult failure(std::string reason) const;
    void closeWatch();

    using Clock = std::chrono::steady_clock;

    EncoderRequest request_;
    std::vector<std::string> terminals_;
    std::string starter_;
    TerminalTimes times_;
    std::vector<std::string> searched_;
    std::string folder_;       // this press's own
    int lockFd_ = -1;          // held while this press is followed
    std::string reachStarter_; // the path the terminals are given for the starter
    std::size_t next_ = 0;     // the next terminal to try
    int attempt_ = 0;
    std::string requestFile_;
    int watchFd_ = -1;
    bool terminalGone_ = false;
    bool claimed_ = false;
    Clock::time_point deadline_;
};

} // namespace quendra
