// The starter on a pseudo-terminal, as a terminal window runs it: the title, the command line
// shown once, the encoder run with the request's words, the front-end told, and a failure's
// message kept until Enter once, for our lame.bin and for another encoder alike.
#include "LaunchPlan.h"
#include "StartRequest.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quendra;
using namespace launchtest;

namespace {

using Strings = std::vector<std::string>;

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class StarterInTerminal : public testing::Test {
protected:
    void TearDown() override {
        if (child > 0 && waitpid(child, nullptr, WNOHANG) == 0) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        if (master >= 0)
            close(master);
    }

    // The starter run on a terminal of its own for a request of these words.
    void start(const std::string& encoder, const Strings& words) {
        writeFile(request, requestText({encoder, words}));
        child = forkpty(&master, nullptr, nullptr, nullptr);
        ASSERT_GE(child, 0);
        if (child == 0) {
            execl(STARTER_PATH, STARTER_PATH, request.c_str(), static_cast<char*>(nullptr));
            _exit(126);
        }
    }

    bool shows(const std::string& text) {
        return waitUntil([&] {
            drain();
            return output.find(text) != std::string::npos;
        });
    }

    void drain() {
        pollfd ready{master, POLLIN, 0};
        char buffer[4096];
        while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN)) {
            const ssize_t got = read(master, buffer, sizeof buffer);
            if (got <= 0)
                return;
            output.append(buffer, static_cast<std::size_t>(got));
        }
    }

    int exitCode() {
        int status = 0;
        if (!waitUntil([&] {
                drain();
                return waitpid(child, &status, WNOHANG) == child;
            }))
            return -1;
        child = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    TempDir dir;
    const fs::path request = dir / "1.request";
    pid_t child = 0;
    int master = -1;
    std::string output;
};

TEST_F(StarterInTerminal, SetsTheTitleShowsTheLineOnceRunsTheWordsAndEndsWithTheEncoder) {
    writeWave(dir / "in.wav", sineWave(440, 0.5, 0.3));
    // A name that would retitle the terminal, were its characters passed on.
    const std::string output = (dir / "out\x1B]0;x\x07.mp3").string();
    const Strings words{"lame.bin", "--tt", "-k $(id)", (dir / "in.wav").string(), output};
    start(LAMEBIN_PATH, words);
    EXPECT_EQ(exitCode(), 0) << this->output;

    EXPECT_EQ(this->output.rfind(titleSequence(consoleTitle(words)), 0), 0u) << this->output;
    EXPECT_EQ(titleSequence(consoleTitle(words)), "\x1B]0;lame.bin - out]0;x.mp3\x07");
    EXPECT_EQ(occurrences(this->output, shownCommandLine(words)), 1u) << this->output;
    EXPECT_EQ(occurrences(this->output, "lame.bin --tt "), 1u) << "the line shown twice";
    EXPECT_EQ(this->output.find("Press Enter"), std::string::npos) << this->output;
    EXPECT_GT(mp3FrameChain(readFile(output)), 0);
    EXPECT_EQ(parseReport(readFile(reportPath(request.string()))), 0);
    EXPECT_FALSE(fs::exists(request)) << "the request was not taken";
}

TEST_F(StarterInTerminal, AFailureWaitsForEnterOnceForOurEncoderAndAnother) {
    writeFile(dir / "other", "#!/bin/sh\necho \"other encoder: $*\"\nexit 3\n");
    setMode(dir / "other", fs::perms::owner_all);
    const std::pair<std::string, int> encoders[] = {{LAMEBIN_PATH, 1},
                                                    {(dir / "other").string(), 3}};
    for (const auto& [encoder, code] : encoders) {
        SCOPED_TRACE(encoder);
        output.clear();
        const Strings words{"lame.bin", (dir / "missing.wav").string(), (dir / "o.mp3").string()};
        start(encoder, words);
        ASSERT_TRUE(shows("Press Enter to close this window.")) << output;
        EXPECT_TRUE(shows("exit code " + std::to_string(code))) << output;
        EXPECT_EQ(occurrences(output, shownCommandLine(words)), 1u) << output;
        EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "ended without waiting for Enter";

        ASSERT_EQ(write(master, "\n", 1), 1);
        EXPECT_EQ(exitCode(), code) << output;
        EXPECT_EQ(occurrences(output, "Press Enter"), 1u) << output;
        close(master);
        master = -1;
    }
}

} // namespace
