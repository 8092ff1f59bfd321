// The Linux "lame.bin" started by the launcher and in a terminal: real encodings, what the
// terminal shows, the pause after a failure.
#include "CommandBuilder.h"
#include "EventWiring.h"
#include "FormModel.h"
#include "PosixEncoderLauncher.h"
#include "PseudoTerminal.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quendra;
using namespace launchtest;

namespace {

const fs::path kLameBin = LAMEBIN_PATH;

bool lameInstalled() {
    return runProgram({"lame", "--version"}).exitCode == 0;
}

#define REQUIRE_LAME() ASSERT_TRUE(lameInstalled()) << "Debian's \"lame\" must be installed"

// --- real encodings through the launcher ---------------------------------------------------------

class RealEncoding : public testing::Test {
protected:
    void SetUp() override { REQUIRE_LAME(); }

    // Starts the model's command through the real launcher and the real lame.bin, and waits until
    // the output exists and no encoder process is left.
    void encode(FormModel& model, const fs::path& input, const fs::path& output) {
        EventWiring wiring(model);
        wiring.textChanged("Edit01", input.string());
        wiring.textChanged("Edit02", output.string());
        lastCommand = CommandBuilder::build(model).line;
        PosixEncoderLauncher launcher(kLameBin.parent_path().string(), Console::None);
        const LaunchResult result = launcher.launch(EncoderCommand{lastCommand});
        ASSERT_TRUE(result.started) << result.reason;
        ASSERT_TRUE(
            waitUntil([&] { return fs::exists(output) && !processMentions(output.string()); },
                      std::chrono::seconds(120)))
            << "the encoding of " << output << " did not finish";
    }

    Wave decode(const fs::path& mp3) {
        const fs::path wav = mp3.string() + ".wav";
        const ProgramRun run =
            runProgram({"lame", "--quiet", "--decode", mp3.string(), wav.string()});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return readWave(wav);
    }

    TempDir dir;
    std::string lastCommand;
};

TEST_F(RealEncoding, InitialStateMakesAnMp3OfTheInputsLength) {
    const Wave input = sineWave(440, 1.0, 0.5);
    writeWave(dir / "in.wav", input);
    FormModel model;
    encode(model, dir / "in.wav", dir / "out.mp3");
    ASSERT_NE(lastCommand.find("--cbr -b auto --scale 1 -q 2 "), std::string::npos) << lastCommand;

    const std::string mp3 = readFile(dir / "out.mp3");
    // One second at 44.1 kHz is 38.3 frames of 1152 samples, and LAME adds its tag frame.
    EXPECT_GE(mp3FrameChain(mp3), 39) << "not an unbroken chain of MPEG-1 Layer III frames";

    const Wave decoded = decode(dir / "out.mp3");
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_EQ(decoded.sampleRate, 44100);
    EXPECT_NEAR(static_cast<double>(decoded.frames()), static_cast<double>(input.frames()), 1152);
    EXPECT_NEAR(rms(decoded.samples), rms(input.samples), 0.1 * rms(input.samples));
}

TEST_F(RealEncoding, FullBandwidthKeepsA19kHzToneTheDefaultRemoves) {
    const Wave input = sineWave(19000, 1.0, 0.5);
    writeWave(dir / "tone.wav", input);

    FormModel standard;
    encode(standard, dir / "tone.wav", dir / "standard.mp3");
    FormModel fullBand;
    EventWiring wiring(fullBand);
    wiring.checkedChanged("CheckBox09", false);
    wiring.checkedChanged("CheckBox14", true);
    encode(fullBand, dir / "tone.wav", dir / "full band.mp3");
    ASSERT_NE(lastCommand.find(" -k "), std::string::npos) << lastCommand;

    const double inputLevel = rms(input.samples);
    EXPECT_LT(rms(decode(dir / "standard.mp3").samples), 0.05 * inputLevel);
    EXPECT_GT(rms(decode(dir / "full band.mp3").samples), 0.5 * inputLevel);
}

// --- the pause in a terminal ---------------------------------------------------------------------

// lame.bin on a pseudo-terminal, as inside a terminal window.
class LameBinInTerminal : public PseudoTerminalTest {
protected:
    void start(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{kLameBin.string()};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        startOnTerminal(argv);
    }

    TempDir dir;
};

TEST_F(LameBinInTerminal, FailedEncodingWaitsForEnter) {
    start(
        {"--cbr", "-b", "128", (dir / "missing\x1B[2J.wav").string(), (dir / "out.mp3").string()});
    ASSERT_TRUE(readUntil("Press Enter to close this window")) << output;
    EXPECT_NE(output.find("The encoding failed."), std::string::npos) << output;
    EXPECT_NE(output.find("missing\\x1B[2J.wav"), std::string::npos) << output;
    EXPECT_EQ(output.find("\x1B[2J"), std::string::npos) << output;
    EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "lame.bin ended without waiting for Enter";

    ASSERT_EQ(write(master, "\n", 1), 1);
    EXPECT_EQ(waitForExit(), 1) << output;
}

// A name's control characters show as escapes, so the name cannot retitle or clear the
// terminal; the only escape sequence is the progress line's own.
TEST_F(LameBinInTerminal, ShowsTheCommandLineThenProgressThenASummaryAndEndsAtOnce) {
    writeWave(dir / "in put.wav", sineWave(440, 20, 0.5));
    const fs::path mp3 = dir / "it's\x1B]0;owned\x07\nout.mp3";
    start({"--cbr", "-b", "auto", "--tt", "say \"hi\" $HOME", "--scale", "1", "-q", "2",
           (dir / "in put.wav").string(), mp3.string()});
    EXPECT_EQ(waitForExit(), 0) << output;
    EXPECT_EQ(output.find("Press Enter"), std::string::npos) << output;
    EXPECT_TRUE(fs::exists(mp3));

    // The first line, given to a shell, gives back exactly the arguments received.
    const std::string first = output.substr(0, output.find("\r\n"));
    const ProgramRun echoed =
        runProgram({"bash", "-c", "printf '%s|' " + first.substr(first.find(' '))});
    EXPECT_EQ(echoed.output, "--cbr|-b|auto|--tt|say \"hi\" $HOME|--scale|1|-q|2|" +
                                 (dir / "in put.wav").string() + "|" + mp3.string() + "|")
        << first;
    // Progress redrawn in place: percent, frames, elapsed and remaining time.
    EXPECT_NE(output.find("\r100%  frame "), std::string::npos) << output;
    EXPECT_NE(output.find(" elapsed, "), std::string::npos) << output;
    EXPECT_NE(output.find(" left"), std::string::npos) << output;
    const std::size_t summary =
        output.find("Done: 0:20 of WAV audio into \"" + dir.path().string() +
                    "/it's\\x1B]0;owned\\x07\\nout.mp3\", ");
    EXPECT_NE(summary, std::string::npos) << output;
    EXPECT_NE(output.find(" bytes (", summary), std::string::npos) << output;
    EXPECT_EQ(output.find('\x07'), std::string::npos) << output;
    for (std::size_t escape = output.find('\x1B'); escape != std::string::npos;
         escape = output.find('\x1B', escape + 1))
        EXPECT_EQ(output.compare(escape, 3, "\x1B[K"), 0) << output;
}

} // namespace

// --- stopped part way: the earlier file stays, nothing half-written is left --------------------

namespace {

// The folder holds an earlier take under the output's name; lame.bin is stopped while it encodes
// a long input into it.
class StoppedEncoding : public LameBinInTerminal {
protected:
    void SetUp() override {
        writeWave(dir / "long.wav", musicLikeWave(90, 2, 44100, 9));
        writeFile(dir / "take.mp3", "an earlier take");
        start({"--cbr", "-b", "128", "-q", "2", (dir / "long.wav").string(),
               (dir / "take.mp3").string()});
        ASSERT_TRUE(readUntil(" left")) << output;
        ASSERT_EQ(filesStartingWith(dir.path(), ".take.mp3.partial-").size(), 1u)
            << "the encoding goes to a temporary file beside the output";
        EXPECT_EQ(readFile(dir / "take.mp3"), "an earlier take");
    }

    void expectOnlyTheEarlierTake() {
        EXPECT_EQ(readFile(dir / "take.mp3"), "an earlier take");
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"long.wav", "take.mp3"}));
    }
};

TEST_F(StoppedEncoding, CtrlCLeavesTheEarlierFile) {
    ASSERT_EQ(write(master, "\x03", 1), 1); // the terminal turns Ctrl+C into SIGINT
    EXPECT_EQ(waitForExit(), 128 + SIGINT) << output;
    EXPECT_NE(output.find("was not written"), std::string::npos) << output;
    expectOnlyTheEarlierTake();
}

TEST_F(StoppedEncoding, AClosedTerminalLeavesTheEarlierFile) {
    close(master); // the terminal window is closed: SIGHUP
    master = -1;
    EXPECT_EQ(waitForExit(), 128 + SIGHUP);
    expectOnlyTheEarlierTake();
}

TEST_F(StoppedEncoding, TerminationLeavesTheEarlierFile) {
    kill(child, SIGTERM);
    EXPECT_EQ(waitForExit(), 128 + SIGTERM) << output;
    expectOnlyTheEarlierTake();
}

} // namespace

// --- stopped before the encoding: at once, whatever lame.bin waits for ---------------------------

namespace {

// Far longer than a stop takes, far shorter than what the stop cuts short.
constexpr std::chrono::seconds kPromptly(5);

// A pipe as input opens only once something writes into it.
class StopWhileAPipeOpens : public LameBinInTerminal, public testing::WithParamInterface<int> {
protected:
    // Whether lame.bin sits in the system call that opens a file (the pipe, once it prints its
    // command line): a stop sent earlier would come before lame.bin knows its output's name.
    bool waitsInOpen() const {
        std::ifstream calls("/proc/" + std::to_string(child) + "/syscall");
        long call = -1;
        return calls >> call && (call == SYS_openat || call == SYS_open);
    }
};

TEST_P(StopWhileAPipeOpens, EndsTheRunAtOnceWithTheSignalsCode) {
    ASSERT_EQ(mkfifo((dir / "in.wav").c_str(), 0644), 0);
    const std::string mp3 = (dir / "out.mp3").string();
    start({"-V", "4", (dir / "in.wav").string(), mp3});
    ASSERT_TRUE(readUntil(mp3)) << output; // the command line: stops are caught from here on
    ASSERT_TRUE(waitUntil([&] { return waitsInOpen(); })) << output;
    kill(child, GetParam());
    EXPECT_EQ(waitForExit(kPromptly), 128 + GetParam()) << output;
    EXPECT_NE(output.find("stopped by signal " + std::to_string(GetParam()) + "; \"" + mp3 +
                          "\" was not written."),
              std::string::npos)
        << output;
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"in.wav"});
}

INSTANTIATE_TEST_SUITE_P(Signals, StopWhileAPipeOpens, testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

// An RF64 file of 32-bit float stereo samples, all silent, "bytes" long: a sparse file that
// takes no room on the disk.
void writeSilentFloatRf64(const fs::path& path, std::uint64_t bytes) {
    std::string header;
    const auto put = [&](std::uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            header += static_cast<char>(value >> (8 * i) & 0xff);
    };
    header += "RF64";
    put(0xffffffff, 4);
    header += "WAVEds64";
    put(28, 4);
    put(bytes + 72, 8); // the RIFF size: all after its first 8 bytes
    put(bytes, 8);      // the data chunk's size
    put(bytes / 8, 8);  // frames of two 4-byte samples
    put(0, 4);
    header += "fmt ";
    for (const auto& [value, size] : {std::pair<std::uint64_t, int>{16, 4},
                                      {3, 2},
                                      {2, 2},
                                      {44100, 4},
                                      {44100 * 8, 4},
                                      {8, 2},
                                      {32, 2}})
        put(value, size);
    header += "data";
    put(0xffffffff, 4);
    writeFile(path, header);
    fs::resize_file(path, header.size() + bytes);
}

// libsndfile reads a file of float samples once through before the encoding to find its loudest
// sample: 64 GiB of silence take minutes.
TEST_F(LameBinInTerminal, AStopWhileTheInputIsReadThroughEndsTheRunAtOnce) {
    writeSilentFloatRf64(dir / "long.wav", std::uint64_t(64) << 30);
    start({"-V", "4", (dir / "long.wav").string(), (dir / "out.mp3").string()});
    ASSERT_TRUE(
        readUntil("Finding the loudest sample of \"" + (dir / "long.wav").string() + "\" first"))
        << output;
    ASSERT_EQ(write(master, "\x03", 1), 1); // Ctrl+C
    EXPECT_EQ(waitForExit(kPromptly), 128 + SIGINT) << output;
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"long.wav"});
}

} // namespace
