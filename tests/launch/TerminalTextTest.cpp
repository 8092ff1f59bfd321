// The progress and summary lines of lame.bin's terminal (the command line itself is read back by
// a shell in LameBinTest).
#include "TerminalText.h"

#include <gtest/gtest.h>

using namespace lamebin;

namespace {

// Nothing in a file name reaches the terminal as a command: C0, DEL, C1 and bytes that are no
// UTF-8 show as escapes; every printable character, non-ASCII too, shows as it is.
TEST(TerminalText, ControlCharactersShowAsEscapes) {
    EXPECT_EQ(visibleText("caf\xC3\xA9 \xE6\x9B\xB2 \xF0\x9F\x8E\xB5 a\\b.mp3"),
              "caf\xC3\xA9 \xE6\x9B\xB2 \xF0\x9F\x8E\xB5 a\\b.mp3");
    EXPECT_EQ(visibleText("a\x1B]0;owned\a|\nc\td\x7F\xC2\x9B[2J"),
              "a\\x1B]0;owned\\x07|\\nc\\td\\x7F\\xC2\\x9B[2J");
    // Cut short, overlong, a surrogate, beyond U+10FFFF.
    EXPECT_EQ(visibleText("\xC3 \xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80"),
              "\\xC3 \\xC0\\xAF \\xED\\xA0\\x80 \\xF4\\x90\\x80\\x80");
    EXPECT_EQ(shellCommandLine({"it's", "a\x1B[2Jb's\\"}), "'it'\\''s' $'a\\x1B[2Jb\\'s\\\\'");
}

TEST(TerminalText, Clock) {
    EXPECT_EQ(clockText(0), "0:00");
    EXPECT_EQ(clockText(59.6), "1:00");
    EXPECT_EQ(clockText(3599), "59:59");
    EXPECT_EQ(clockText(3600 + 62), "1:01:02");
    EXPECT_EQ(clockText(-3), "0:00");
}

TEST(TerminalText, ProgressEstimatesWhatIsLeftAndReaches100OnlyAtTheEnd) {
    EXPECT_EQ(progressText(250, 1000, 10, false),
              " 25%  frame 250 of 1000  0:10 elapsed, 0:30 left");
    // LAME's estimate of the frames to come can fall short of the frames made.
    EXPECT_EQ(progressText(1000, 1000, 40, false),
              " 99%  frame 1000 of 1001  0:40 elapsed, 0:00 left");
    EXPECT_EQ(progressText(1000, 999, 41, true),
              "100%  frame 1000 of 1000  0:41 elapsed, 0:00 left");
    EXPECT_EQ(progressText(0, 1000, 0.1, false), "frame 0, 0:00 elapsed");
    EXPECT_EQ(progressText(12, 0, 3, false), "frame 12, 0:03 elapsed");
}

TEST(TerminalText, Summary) {
    EncodingSummary s;
    s.output = "/music/take.mp3";
    s.inputFormat = "AIFF";
    s.frames = 2297;
    s.audioSeconds = 60;
    s.bytes = 960000;
    s.elapsedSeconds = 1.86;
    EXPECT_EQ(summaryText(s), "Done: 1:00 of AIFF audio into \"/music/take.mp3\", 2297 frames, "
                              "960000 bytes (128 kbit/s), in 1.9 s.");
    s.replayGain = true;
    s.replayGainDb = -3.84;
    EXPECT_NE(summaryText(s).find(", ReplayGain -3.8 dB."), std::string::npos);
}

} // namespace
