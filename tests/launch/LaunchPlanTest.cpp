#include "LaunchPlan.h"

#include <gtest/gtest.h>

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

class StartOrder : public testing::Test {
protected:
    const Strings arguments{"lame.bin", "--tt", "-e x", "in put.wav", "/o/out.mp3"};
};

TEST_F(StartOrder, WithoutTerminalTheEncoderGetsTheArgumentsAsTheyAre) {
    const std::vector<ProgramCall> calls = startOrder("/bin/dir/lame.bin", arguments, {});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].program, "/bin/dir/lame.bin");
    EXPECT_EQ(calls[0].arguments, arguments);
}

TEST_F(StartOrder, EachTerminalRunsTheEncoderThenTheEncoderAlone) {
    const std::vector<ProgramCall> calls = startOrder(
        "/bin/dir/lame.bin", arguments, {"/usr/bin/x-terminal-emulator", "/usr/bin/xterm"});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].program, "/usr/bin/x-terminal-emulator");
    EXPECT_EQ(calls[0].arguments,
              (Strings{"x-terminal-emulator", "-T", "lame.bin - out.mp3", "-e", "/bin/dir/lame.bin",
                       "--tt", "-e x", "in put.wav", "/o/out.mp3"}));
    EXPECT_EQ(calls[1].program, "/usr/bin/xterm");
    EXPECT_EQ(calls[1].arguments.front(), "xterm");
    EXPECT_EQ(Strings(calls[1].arguments.begin() + 1, calls[1].arguments.end()),
              Strings(calls[0].arguments.begin() + 1, calls[0].arguments.end()));
    EXPECT_EQ(calls[2].program, "/bin/dir/lame.bin");
    EXPECT_EQ(calls[2].arguments, arguments);
}

} // namespace
