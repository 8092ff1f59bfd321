// How the product's launcher starts the encoder on Windows: where it looks for "lame.bin", how
// the encoder runs (its own console, shown normally, side by side with others, nothing kept),
// what a failed start reports and which command lines it refuses to hand to Windows.
#include "EncoderLauncher.h"
#include "WindowsTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace quendra;

namespace {

const char* const kSomeArguments = " --cbr -b auto \"in.wav\" \"out.mp3\"";

EncoderCommand commandFor(const std::string& program) {
    return EncoderCommand{program + kSomeArguments};
}

std::string directoryOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

std::string programDirectory() {
    return directoryOf(wintest::recorderPath());
}

// --- where it looks ---------------------------------------------------------------------------

TEST(LauncherSearch, TheEncoderBesideTheProgramWinsOverTheCurrentDirectory) {
    const wintest::Folder folder;
    folder.copyOfRecorder("lame.bin");
    const wintest::CurrentDirectory inFolder(folder.path());
    const wintest::Launch launch = wintest::launchAndRecord(commandFor("lame.bin"));
    ASSERT_TRUE(launch.result.started) << launch.result.reason;
    EXPECT_EQ(launch.record.at("module").at(0), wintest::recorderPath());
}

TEST(LauncherSearch, TheCurrentDirectoryComesBeforePath) {
    const wintest::Folder current, onPath;
    const std::string inCurrent = current.copyOfRecorder("quendra-test-encoder.bin");
    onPath.copyOfRecorder("quendra-test-encoder.bin");
    const wintest::Variable path("PATH", onPath.path() + ";" + wintest::variable("PATH"));
    const wintest::CurrentDirectory inFolder(current.path());
    const wintest::Launch launch = wintest::launchAndRecord(commandFor("quendra-test-encoder.bin"));
    ASSERT_TRUE(launch.result.started) << launch.result.reason;
    EXPECT_EQ(launch.record.at("module").at(0), inCurrent);
}

TEST(LauncherSearch, PathIsSearchedLast) {
    const wintest::Folder onPath;
    const std::string inPath = onPath.copyOfRecorder("quendra-test-encoder.bin");
    const wintest::Variable path("PATH", wintest::variable("PATH") + ";" + onPath.path());
    const wintest::Launch launch = wintest::launchAndRecord(commandFor("quendra-test-encoder.bin"));
    ASSERT_TRUE(launch.result.started) << launch.result.reason;
    EXPECT_EQ(launch.record.at("module").at(0), inPath);
}

// ".exe" is added only to a name without an extension, so "x.bin" never starts "x.bin.exe".
TEST(LauncherSearch, NoExeIsAppendedToANameWithAnExtension) {
    const wintest::Folder folder;
    folder.copyOfRecorder("quendra-test-encoder.bin.exe");
    const wintest::CurrentDirectory inFolder(folder.path());
    const wintest::Launch launch = wintest::launchAndRecord(commandFor("quendra-test-encoder.bin"));
    EXPECT_FALSE(launch.result.started);
    EXPECT_EQ(launch.result.reason, "The encoder \"quendra-test-encoder.bin\" was not found.");
}

// --- how it runs ------------------------------------------------------------------------------

TEST(LauncherStart, TheEncoderHasItsOwnConsoleShownNormally) {
    const wintest::Launch launch = wintest::launchAndRecord(commandFor("lame.bin"));
    ASSERT_TRUE(launch.result.started) << launch.result.reason;
    EXPECT_EQ(launch.record.at("startup"), (wintest::Args{"show", std::to_string(SW_SHOWNORMAL)}));
    // A console of its own has the encoder alone in it; the test's console would list us too.
    EXPECT_EQ(launch.record.at("console"), (wintest::Args{"1"}));
}

// Each start returns while its encoder still runs, and holds no handle of it: two encoders run
// at once, and the front-end's handle count is what it was.
TEST(LauncherStart, EncodersRunSideBySideAndNothingIsKept) {
    const wintest::Hold hold;
    wintest::launchAndRecord(commandFor("lame.bin")); // the first start's one-time allocations
    const std::size_t before = wintest::openHandles();
    const wintest::Launch first = wintest::launchAndRecord(commandFor("lame.bin"), hold.name());
    const wintest::Launch second = wintest::launchAndRecord(commandFor("lame.bin"), hold.name());
    const std::size_t after = wintest::openHandles();
    ASSERT_TRUE(first.result.started) << first.result.reason;
    ASSERT_TRUE(second.result.started) << second.result.reason;
    const std::string firstId = first.record.at("process").at(0);
    const std::string secondId = second.record.at("process").at(0);
    EXPECT_NE(firstId, secondId);
    EXPECT_TRUE(wintest::running(firstId));
    EXPECT_TRUE(wintest::running(secondId));
    EXPECT_EQ(after, before);
}

// --- what a failed start says -----------------------------------------------------------------

TEST(LauncherFailure, AMissingEncoderIsReportedWithThePlacesSearched) {
    const wintest::Folder current, onPath;
    const wintest::CurrentDirectory inFolder(current.path());
    const wintest::Variable path("PATH", wintest::variable("PATH") + ";" + onPath.path());
    const wintest::Launch launch = wintest::launchAndRecord(commandFor("quendra-no-such.bin"));
    EXPECT_FALSE(launch.result.started);
    EXPECT_EQ(launch.result.reason, "The encoder \"quendra-no-such.bin\" was not found.");
    const std::vector<std::string>& searched = launch.result.searched;
    ASSERT_GE(searched.size(), 5u);
    EXPECT_EQ(searched[0], programDirectory() + "\\quendra-no-such.bin");
    EXPECT_EQ(searched[1], current.path() + "\\quendra-no-such.bin");
    EXPECT_EQ(searched.back(), onPath.path() + "\\quendra-no-such.bin");
    for (const std::string& place : searched)
        EXPECT_EQ(std::count(searched.begin(), searched.end(), place), 1) << place;
}

TEST(LauncherFailure, AFileThatIsNoProgramIsReported) {
    const wintest::Folder folder;
    const wintest::CurrentDirectory inFolder(folder.path());
    {
        std::FILE* file = std::fopen("quendra-text.bin", "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("not a program\r\n", file);
        std::fclose(file);
    }
    const wintest::Launch launch = wintest::launchAndRecord(commandFor("quendra-text.bin"));
    EXPECT_FALSE(launch.result.started);
    EXPECT_EQ(launch.result.reason, "\"quendra-text.bin\" is not a valid program.");
    EXPECT_FALSE(launch.result.searched.empty());
}

// --- what it refuses --------------------------------------------------------------------------

void expectRefused(const std::string& line, const std::string& reason) {
    const wintest::Launch launch = wintest::launchAndRecord(EncoderCommand{line});
    EXPECT_FALSE(launch.result.started) << wintest::shown(line);
    EXPECT_EQ(launch.result.reason, reason) << wintest::shown(line);
    EXPECT_TRUE(launch.result.searched.empty());
}

// Windows would put U+FFFD in place of a malformed sequence and start the encoder on a file
// name nobody typed.
TEST(LauncherRefusal, TextThatIsNotUtf8IsNotStarted) {
    const char* const malformed[] = {
        "\x80",             // a continuation byte alone
        "\xc3",             // a sequence cut short at the end
        "\xc3 x",           // and in the middle
        "\xe6\x97",         // a three-byte sequence cut short
        "\xc0\xaf",         // an overlong "/"
        "\xe0\x80\xaf",     // an overlong "/" in three bytes
        "\xed\xa0\x80",     // a surrogate code point
        "\xf4\x90\x80\x80", // beyond U+10FFFF
        "\xfe",             // never a UTF-8 byte
        "\xff",
    };
    for (const char* bytes : malformed)
        expectRefused("lame.bin \"C:\\in" + std::string(bytes) + ".wav\"",
                      "The encoder was not started: its command line is not valid UTF-8 text.");
}

TEST(LauncherRefusal, ANulCharacterIsNotCutOff) {
    expectRefused(std::string("lame.bin \"in.wav\"\0 \"out.mp3\"", 27),
                  "The encoder was not started: its command line holds a NUL character, which "
                  "would cut it short.");
}

TEST(LauncherRefusal, AnEmptyLineStartsNothing) {
    for (const char* line : {"", " ", " \t "})
        expectRefused(line, "The encoder command line is empty.");
}

// Windows' limit is 32767 UTF-16 units with the terminating NUL, whatever the UTF-8 length.
TEST(LauncherRefusal, TheLongestLineWindowsTakesIsCountedInUtf16) {
    const std::string prefix = "lame.bin \"";        // 10 units
    const std::size_t emojis = (32766 - 10 - 2) / 2; // four bytes, two units each
    std::string longest = prefix;
    for (std::size_t i = 0; i < emojis; ++i)
        longest += "\xf0\x9f\x8e\xb5";
    longest += "\xc3\xa9\""; // two bytes in one unit, and the closing quote
    ASSERT_EQ(10 + 2 * emojis + 2, 32766u);
    ASSERT_GT(longest.size(), 65000u);
    const wintest::Launch launch = wintest::launchAndRecord(EncoderCommand{longest});
    ASSERT_TRUE(launch.result.started) << launch.result.reason;
    EXPECT_EQ(launch.record.at("line").at(0), longest);

    expectRefused(longest + "x", "The encoder was not started: its command line is longer than "
                                 "the 32766 characters Windows allows.");
}

} // namespace
