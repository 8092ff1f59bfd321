// The starter on a pseudo-terminal, as a terminal window runs it: the title, the command line
// shown once, the encoder run with the request's words, the front-end told, and a failure's
// message kept until Enter once, for our lame.bin and for another encoder alike.
#include "LaunchPlan.h"
#include "PseudoTerminal.h"
#include "StartRequest.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>

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

class StarterInTerminal : public PseudoTerminalTest {
protected:
    // The starter run on a terminal of its own for a request of these words.
    void start(const std::string& encoder, const Strings& words) {
        writeFile(request, requestText({encoder, words}));
        startOnTerminal({STARTER_PATH, request.string()});
    }

    TempDir dir;
    const fs::path request = dir / "1.request";
};

TEST_F(StarterInTerminal, SetsTheTitleShowsTheLineOnceRunsTheWordsAndEndsWithTheEncoder) {
    writeWave(dir / "in.wav", sineWave(440, 0.5, 0.3));
    // A name that would retitle the terminal, were its characters passed on.
    const std::string output = (dir / "out\x1B]0;x\x07.mp3").string();
    const Strings words{"lame.bin", "--tt", "-k $(id)", (dir / "in.wav").string(), output};
    start(LAMEBIN_PATH, words);
    EXPECT_EQ(waitForExit(), 0) << this->output;

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
        ASSERT_TRUE(readUntil("Press Enter to close this window.")) << output;
        EXPECT_TRUE(readUntil("exit code " + std::to_string(code))) << output;
        EXPECT_EQ(occurrences(output, shownCommandLine(words)), 1u) << output;
        EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "ended without waiting for Enter";

        ASSERT_EQ(write(master, "\n", 1), 1);
        EXPECT_EQ(waitForExit(), code) << output;
        EXPECT_EQ(occurrences(output, "Press Enter"), 1u) << output;
        close(master);
        master = -1;
    }
}

} // namespace
