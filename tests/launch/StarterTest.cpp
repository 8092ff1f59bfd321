// The starter on a pseudo-terminal, as a terminal window runs it: the title, the command line
// shown once, the encoder run with the request's words, the front-end told, and a failure's
// message kept until Enter once, for our lame.bin and for another encoder alike; and a request
// that is not the person's own in a private folder refused.
#include "LaunchPlan.h"
#include "PseudoTerminal.h"
#include "StartRequest.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <thread>

#include <sys/ioctl.h>
#include <sys/stat.h>
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

void writeRequest(const fs::path& request, const EncoderRequest& content) {
    writeFile(request, requestText(content));
    setMode(request, fs::perms::owner_read | fs::perms::owner_write);
}

// "1.request" in a folder closed to others, as the front-end makes them.
fs::path privateRequest(const TempDir& dir) {
    fs::create_directory(dir / "press");
    setMode(dir / "press", fs::perms::owner_all);
    return dir / "press" / "1.request";
}

class StarterInTerminal : public PseudoTerminalTest {
protected:
    // The starter run on a terminal of its own for a request of these words.
    void start(const std::string& encoder, const Strings& words) {
        writeRequest(request, {encoder, words});
        startOnTerminal({STARTER_PATH, request.string()});
    }

    TempDir dir;
    const fs::path request = privateRequest(dir);
};

TEST_F(StarterInTerminal, SetsTheTitleShowsTheLineOnceRunsTheWordsAndEndsWithTheEncoder) {
    writeWave(dir / "in.wav", sineWave(440, 0.5, 0.3));
    // A name that would retitle the terminal, were its characters passed on.
    const std::string output = (dir / "out\x1B]0;x\x07.mp3").string();
    const Strings words{"lame.bin", "--tt", "-k $(id)", (dir / "in.wav").string(), output};
    start(LAMEBIN_PATH, words);
    EXPECT_EQ(waitForExit(), 0) << this->output;

    EXPECT_EQ(this->output.rfind(titleSequence(consoleTitle(words)), 0), 0u) << this->output;
    EXPECT_EQ(titleSequence(consoleTitle(words)), "\x1B]0;lame.bin - out\\x1B]0;x\\x07.mp3\x07");
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

TEST_F(StarterInTerminal, ShowsTheEncodersFolderAndATitleWithControlsAsEscapes) {
    // An encoder that cannot be found, in a folder whose name would retitle the terminal, and a
    // title whose right-to-left override would make the line read otherwise.
    const fs::path folder = dir / "bad\x1B]0;owned\x07";
    const Strings words{"lame.bin", "--tt",
                        "abc\xE2\x80\xAE"
                        "3pm.exe",
                        "in.wav", "out.mp3"};
    start((folder / "lame.bin").string(), words);
    EXPECT_EQ(waitForExit(), 127) << output;

    EXPECT_NE(output.find("could not be started"), std::string::npos) << output;
    EXPECT_NE(output.find("bad\\x1B]0;owned\\x07/lame.bin"), std::string::npos) << output;
    EXPECT_NE(output.find("$'abc\\xE2\\x80\\xAE3pm.exe'"), std::string::npos) << output;
    EXPECT_EQ(output.find("\x1B]0;owned"), std::string::npos) << "a name retitled the terminal";
    EXPECT_EQ(output.find("\xE2\x80\xAE"), std::string::npos) << "a raw override was shown";
}

// The encoder, traced from its fork, stops at every signal until its exec; a terminal resized
// again and again in that gap (held open by the tests' delay) must not keep it from starting.
TEST_F(StarterInTerminal, ASignalInTheGapBeforeTheExecStillStartsTheEncoder) {
    const fs::path marker = dir / "ran";
    writeFile(dir / "encoder", "#!/bin/sh\ntouch '" + marker.string() + "'\n");
    setMode(dir / "encoder", fs::perms::owner_all);
    const EnvironmentVariable gap{"QUENDRA_STARTER_TEST_GAP_MS", "1500"};
    start((dir / "encoder").string(), {"lame.bin", "in.wav", "out.mp3"});
    const fs::path report = reportPath(request.string());
    for (unsigned short rows = 20; !fs::exists(report) && rows < 200; ++rows) {
        const winsize size{rows, 80, 0, 0};
        ioctl(master, TIOCSWINSZ, &size); // the terminal's SIGWINCH to the starter and the encoder
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        drain();
    }
    EXPECT_EQ(waitForExit(std::chrono::seconds(20)), 0) << output;
    EXPECT_EQ(parseReport(readFile(report)), 0);
    EXPECT_TRUE(fs::exists(marker)) << "the encoder did not run";
}

// A terminal that titles its window by the program in the foreground reads the name of the
// process leading the terminal's foreground group once that group comes to the front: the
// encoder's file name, whatever the link the terminal was given, and the starter ends as the
// encoder does.
TEST_F(StarterInTerminal, LeadsTheForegroundUnderTheEncodersName) {
    const fs::path encoder = dir / "my.encoder";
    writeFile(encoder, "#!/bin/sh\nfront=$(cut -d' ' -f8 /proc/$$/stat)\n"
                       "echo \"in front: $(cat /proc/$front/comm)\"\nexit 3\n");
    setMode(encoder, fs::perms::owner_all);
    const fs::path link = dir / "start-encoder.0123456789abcdef";
    fs::create_symlink(STARTER_PATH, link);
    writeRequest(request, {encoder.string(), {"lame.bin", "in.wav", "out.mp3"}});
    startOnTerminal({link.string(), request.string()});
    ASSERT_TRUE(readUntil("Press Enter to close this window.")) << output;
    EXPECT_NE(output.find("in front: my.encoder\r\n"), std::string::npos) << output;
    ASSERT_EQ(write(master, "\n", 1), 1);
    EXPECT_EQ(waitForExit(), 3) << output;
}

// Each spoils a request of the person's own in a private folder; the path the starter is given.
struct Spoiled {
    const char* name;
    bool needsRoot; // to hand a file to another user
    std::function<fs::path(const TempDir& dir, const fs::path& request)> spoil;
};

void PrintTo(const Spoiled& c, std::ostream* out) {
    *out << c.name;
}

constexpr uid_t kOtherUser = 4242;

class StarterRefuses : public testing::TestWithParam<Spoiled> {};

TEST_P(StarterRefuses, ARequestThatIsNotThePersonsOwnInAPrivateFolderInOneLineRunningNothing) {
    const Spoiled& c = GetParam();
    if (c.needsRoot && geteuid() != 0)
        GTEST_SKIP() << "needs root, to hand a file to another user";
    TempDir dir;
    setMode(dir.path(), fs::perms::owner_all);
    const fs::path request = privateRequest(dir);
    const fs::path marker = dir / "ran";
    writeFile(dir / "encoder", "#!/bin/sh\ntouch '" + marker.string() + "'\n");
    setMode(dir / "encoder", fs::perms::owner_all);
    writeRequest(request, {(dir / "encoder").string(), {"lame.bin", "in.wav", "out.mp3"}});

    const ProgramRun run = runProgram({STARTER_PATH, c.spoil(dir, request).string()});
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_EQ(occurrences(run.output, "\n"), 1u) << run.output;
    EXPECT_NE(run.output.find("nothing was run"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(marker)) << "the encoder ran";
}

fs::path handedToAnother(const fs::path& path, const fs::path& request) {
    EXPECT_EQ(chown(path.c_str(), kOtherUser, kOtherUser), 0);
    return request;
}

fs::path withMode(const fs::path& path, fs::perms mode, const fs::path& request) {
    setMode(path, mode);
    return request;
}

INSTANTIATE_TEST_SUITE_P(
    Table, StarterRefuses,
    testing::Values(Spoiled{"FolderOfAnotherUser", true,
                            [](const TempDir&, const fs::path& r) {
                                return handedToAnother(r.parent_path(), r);
                            }},
                    Spoiled{"FolderOpenToAll", false,
                            [](const TempDir&, const fs::path& r) {
                                return withMode(r.parent_path(), fs::perms::all, r);
                            }},
                    Spoiled{"FolderInAParentOpenToAll", false,
                            [](const TempDir& dir, const fs::path& r) {
                                return withMode(dir.path(), fs::perms::all, r);
                            }},
                    Spoiled{"FolderThroughALink", false,
                            [](const TempDir& dir, const fs::path& r) {
                                fs::create_directory_symlink(r.parent_path(), dir / "link");
                                return dir / "link" / r.filename();
                            }},
                    Spoiled{
                        "FileOfAnotherUser", true,
                        [](const TempDir&, const fs::path& r) { return handedToAnother(r, r); }},
                    Spoiled{"FileOthersMayWrite", false,
                            [](const TempDir&, const fs::path& r) {
                                return withMode(r,
                                                fs::perms::owner_read | fs::perms::owner_write |
                                                    fs::perms::others_write,
                                                r);
                            }},
                    Spoiled{"FileThroughALink", false,
                            [](const TempDir& dir, const fs::path& r) {
                                fs::rename(r, dir / "elsewhere");
                                fs::create_symlink(dir / "elsewhere", r);
                                return r;
                            }}),
    [](const testing::TestParamInfo<Spoiled>& info) { return info.param.name; });

} // namespace
