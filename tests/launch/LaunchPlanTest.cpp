#include "LaunchPlan.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace quendra;

namespace {

using Strings = std::vector<std::string>;

TEST(ConsoleTitle, NamesTheEncoderAndTheOutputFile) {
    const std::pair<Strings, const char*> cases[] = {
        {{"lame.bin", "-q", "2", "in.wav", "out.mp3"}, "lame.bin - out.mp3"},
        {{"lame.bin", "/music/in.wav", "/music/my out.mp3"}, "lame.bin - my out.mp3"},
        {{"lame.bin", "in.wav", "C:\\x\\out.mp3"}, "lame.bin - C:\\x\\out.mp3"},
        {{"lame.bin", "in.wav", ""}, "lame.bin"},
        {{"lame.bin", "in.wav", "/music/"}, "lame.bin"},
        {{"lame.bin"}, "lame.bin"},
        {{}, "lame.bin"},
    };
    for (const auto& [arguments, title] : cases)
        EXPECT_EQ(consoleTitle(arguments), title) << testing::PrintToString(arguments);
}

TEST(DisplayAvailable, EitherDisplayVariableSetAndNonEmpty) {
    EXPECT_FALSE(displayAvailable(nullptr, nullptr));
    EXPECT_FALSE(displayAvailable("", ""));
    EXPECT_FALSE(displayAvailable("", nullptr));
    EXPECT_TRUE(displayAvailable(":0", nullptr));
    EXPECT_TRUE(displayAvailable(nullptr, "wayland-0"));
    EXPECT_TRUE(displayAvailable("", "wayland-0"));
}

TEST(PlainPath, OnlyAbsolutePathsOfCharactersNoTerminalReadsOtherwise) {
    for (const char* plain : {"/usr/lib/quendra-orvo/start-encoder",
                              "/run/user/1000/quendra-orvo.a1B2c3/1.request", "/"})
        EXPECT_TRUE(plainPath(plain)) << plain;
    for (const char* other :
         {"", "relative/start-encoder", "/opt/my programs/start-encoder", "/a$(b)", "/a`b`", "/a;b",
          "/a*", "/a\\b", "/a'b", "/a\"b", "/a\nb", "/~x",
          "/gr\xC3\xBC\xC3\x9F"
          "e"})
        EXPECT_FALSE(plainPath(other)) << other;
}

TEST(TerminalCall, GivesTheTerminalTheStarterAndTheRequestAfterDashEAndNothingElse) {
    const ProgramCall call = terminalCall(
        "/usr/bin/x-terminal-emulator", "/usr/lib/q/start-encoder", "/run/user/1000/q.x/1.request");
    EXPECT_EQ(call.program, "/usr/bin/x-terminal-emulator");
    EXPECT_EQ(call.arguments, (Strings{"x-terminal-emulator", "-e", "/usr/lib/q/start-encoder",
                                       "/run/user/1000/q.x/1.request"}));
}

TEST(JudgeTry, TheStartersReportDecidesElseAFailedTerminalOrTheTimeGivesWay) {
    using V = TryVerdict;
    struct Case {
        TrySight sight; // report, claimed, starter lives, terminal gone, time up
        TryVerdict verdict;
    };
    const Case cases[] = {
        {{std::nullopt, false, false, false, false}, V::Wait},
        {{0, false, false, false, false}, V::Started},
        {{0, true, false, true, true}, V::Started}, // a report wins over whatever else is seen
        {{ENOEXEC, false, false, false, false}, V::Failed},
        {{std::nullopt, false, false, true, false}, V::GiveWay}, // refused its options, or not run
        {{std::nullopt, false, false, false, true}, V::GiveWay}, // nothing in time
        // Taken: its report is to come while its starter lives, however slow its terminal, and
        // however the terminal ended.
        {{std::nullopt, true, true, false, false}, V::Wait},
        {{std::nullopt, true, true, true, true}, V::Wait},
        {{std::nullopt, true, false, false, false}, V::Unconfirmed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(judgeTry(c.sight), c.verdict)
            << "report " << (c.sight.report ? *c.sight.report : -1) << ", claimed "
            << c.sight.claimed << ", starter lives " << c.sight.starterLives << ", terminal gone "
            << c.sight.terminalGone << ", time up " << c.sight.timeUp;
}

} // namespace
