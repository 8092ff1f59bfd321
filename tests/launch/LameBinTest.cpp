// The Linux "lame.bin" with Debian's LAME: lookup, exit codes, real encodings, the terminal pause.
#include "CommandBuilder.h"
#include "EventWiring.h"
#include "FormModel.h"
#include "PosixEncoderLauncher.h"
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

const fs::path kLameBin = LAMEBIN_PATH;

bool lameInstalled() {
    return runProgram({"lame", "--version"}).exitCode == 0;
}

#define REQUIRE_LAME() ASSERT_TRUE(lameInstalled()) << "Debian's \"lame\" must be installed"

// --- lame.bin run directly, without a terminal --------------------------------------------------

class LameBinProgram : public testing::Test {
protected:
    TempDir dir;
};

TEST_F(LameBinProgram, MissingLameIsReportedWithItsPackageAndNoWait) {
    fs::create_directory(dir / "empty");
    const ProgramRun run =
        runProgram({kLameBin.string(), "in.wav", "out.mp3"}, {"PATH=" + (dir / "empty").string()});
    EXPECT_EQ(run.exitCode, 127);
    EXPECT_NE(run.output.find("\"lame\""), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("apt-get install lame"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("Press Enter"), std::string::npos) << run.output;
}

TEST_F(LameBinProgram, NeverRunsItselfAsLame) {
    fs::create_directory(dir / "self");
    fs::create_symlink(kLameBin, dir / "self" / "lame");
    // Were it to run itself, it would keep starting copies: the bound ends them all.
    const ProgramRun alone =
        runProgram({kLameBin.string(), "--version"}, {"PATH=" + (dir / "self").string()},
                   std::chrono::seconds(10));
    ASSERT_TRUE(alone.endedInTime) << "lame.bin started itself as \"lame\"";
    EXPECT_EQ(alone.exitCode, 127) << alone.output;

    REQUIRE_LAME();
    const ProgramRun withLame = runProgram({kLameBin.string(), "--version"},
                                           {"PATH=" + (dir / "self").string() + ":/usr/bin:/bin"},
                                           std::chrono::seconds(10));
    ASSERT_TRUE(withLame.endedInTime) << "lame.bin started itself as \"lame\"";
    EXPECT_EQ(withLame.exitCode, 0) << withLame.output;
    EXPECT_NE(withLame.output.find("LAME"), std::string::npos) << withLame.output;
}

TEST_F(LameBinProgram, ExitsWithLamesExitCode) {
    REQUIRE_LAME();
    const std::vector<std::string> failing{"--cbr", "-b", "128", (dir / "missing.wav").string(),
                                           (dir / "out.mp3").string()};
    std::vector<std::string> direct{"lame"};
    direct.insert(direct.end(), failing.begin(), failing.end());
    std::vector<std::string> wrapped{kLameBin.string()};
    wrapped.insert(wrapped.end(), failing.begin(), failing.end());

    const int lameCode = runProgram(direct).exitCode;
    ASSERT_NE(lameCode, 0);
    EXPECT_EQ(runProgram(wrapped).exitCode, lameCode);
}

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
class LameBinInTerminal : public testing::Test {
protected:
    void SetUp() override { REQUIRE_LAME(); }

    void TearDown() override {
        if (child > 0 && waitpid(child, nullptr, WNOHANG) == 0) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
        }
        if (master >= 0)
            close(master);
    }

    void start(const std::vector<std::string>& arguments) {
        std::vector<std::string> storage{kLameBin.string()};
        storage.insert(storage.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& argument : storage)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        child = forkpty(&master, nullptr, nullptr, nullptr);
        ASSERT_GE(child, 0);
        if (child == 0) {
            execv(argv[0], argv.data());
            _exit(126);
        }
    }

    // Reads what the terminal shows; true once it contains the text.
    bool readUntil(const std::string& text) {
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

    // The exit code once lame.bin has ended by itself; -1 if it did not.
    int waitForExit() {
        int status = 0;
        const bool ended = waitUntil([&] {
            drain();
            return waitpid(child, &status, WNOHANG) == child;
        });
        if (!ended)
            return -1;
        child = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    TempDir dir;
    pid_t child = 0;
    int master = -1;
    std::string output;
};

TEST_F(LameBinInTerminal, FailedEncodingWaitsForEnter) {
    // A bitrate LAME 3.100 takes as it is, so that running it directly fails the same way.
    const std::vector<std::string> arguments{"--cbr", "-b", "128", (dir / "missing.wav").string(),
                                             (dir / "out.mp3").string()};
    std::vector<std::string> direct{"lame"};
    direct.insert(direct.end(), arguments.begin(), arguments.end());
    const int lameCode = runProgram(direct).exitCode;
    ASSERT_NE(lameCode, 0);

    start(arguments);
    ASSERT_TRUE(readUntil("Press Enter to close this window")) << output;
    EXPECT_NE(output.find("The encoding failed: LAME exited with code " + std::to_string(lameCode)),
              std::string::npos)
        << output;
    EXPECT_EQ(waitpid(child, nullptr, WNOHANG), 0) << "lame.bin ended without waiting for Enter";

    ASSERT_EQ(write(master, "\n", 1), 1);
    EXPECT_EQ(waitForExit(), lameCode) << output;
}

TEST_F(LameBinInTerminal, SuccessfulEncodingEndsAtOnce) {
    writeWave(dir / "in.wav", sineWave(440, 0.5, 0.5));
    start({"--cbr", "-b", "auto", "--scale", "1", "-q", "2", (dir / "in.wav").string(),
           (dir / "out.mp3").string()});
    EXPECT_EQ(waitForExit(), 0) << output;
    EXPECT_EQ(output.find("Press Enter"), std::string::npos) << output;
    EXPECT_TRUE(fs::exists(dir / "out.mp3"));
}

} // namespace
