// Many presses of "Start encoding" in quick succession: every encoder runs at the same time as
// the others, and each output must hold its own input's sound and tags.
#include "CommandBuilder.h"
#include "EncoderRuns.h"
#include "EventWiring.h"
#include "FormModel.h"
#include "PosixEncoderLauncher.h"

#include <gtest/gtest.h>

#include <set>

using namespace quendra;
using namespace launchtest;

namespace {

constexpr int kEncodings = 16;

// Input k lasts 1 s + k * 0.1 s: 4410 frames apart, so an output holding another input's sound
// is told by its length alone.
std::size_t inputFrames(int k) {
    return static_cast<std::size_t>((1.0 + 0.1 * k) * 44100);
}

std::string title(int k) {
    return "Take " + std::to_string(k) + " \"side\" \\ by ♫";
}

TEST(SideBySide, SixteenEncodingsStartedAtOnceEachMakeTheirOwnMp3) {
    ASSERT_EQ(runProgram({"lame", "--version"}).exitCode, 0)
        << "Debian's \"lame\" must be installed";
    TempDir dir;
    const fs::path inputs = dir / "in put";
    const fs::path outputs = dir / "out put";
    const fs::path logs = dir / "logs";
    for (const fs::path& folder : {inputs, outputs, logs})
        fs::create_directory(folder);
    for (int k = 0; k < kEncodings; ++k) {
        Wave wave = sineWave(220.0 * (1 + 0.25 * k), 1.0 + 0.1 * k, 0.5);
        ASSERT_EQ(wave.frames(), inputFrames(k));
        writeWave(inputs / ("tone " + std::to_string(k) + ".wav"), wave);
    }

    // Each press builds its command from a window of its own, with the three bitrate modes in
    // turn and the take's title.
    AdoptedEncoders encoders;
    PosixEncoderLauncher launcher(lameBinDirectory().string(), Console::None);
    for (int k = 0; k < kEncodings; ++k) {
        FormModel model;
        EventWiring wiring(model);
        wiring.itemIndexChanged("RadioGroup1", k % 3);
        wiring.checkedChanged("CheckBox01", true);
        wiring.textChanged("Edit03", title(k));
        wiring.textChanged("Edit01", (inputs / ("tone " + std::to_string(k) + ".wav")).string());
        wiring.textChanged("Edit02", (outputs / ("take " + std::to_string(k) + ".mp3")).string());
        const EncoderCommand command = CommandBuilder::build(model);
        OutputToFile redirect(logs / (std::to_string(k) + ".log"));
        const LaunchResult result = launcher.launch(command);
        ASSERT_TRUE(result.started) << k << ": " << result.reason;
    }

    // Each encoder is this process's child from the moment its launch returned.
    EXPECT_EQ(encoders.unreaped().size(), static_cast<std::size_t>(kEncodings));
    ASSERT_TRUE(encoders.waitForEnds(kEncodings)) << "the encoders did not all end";
    ASSERT_EQ(encoders.ends().size(), static_cast<std::size_t>(kEncodings));
    for (const AdoptedEncoders::End& end : encoders.ends()) {
        EXPECT_EQ(end.name, "lame.bin");
        EXPECT_EQ(end.exitCode, 0) << "pid " << end.pid;
    }
    EXPECT_TRUE(encoders.unreaped().empty());

    std::set<std::string> expectedNames;
    for (int k = 0; k < kEncodings; ++k)
        expectedNames.insert("take " + std::to_string(k) + ".mp3");
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(outputs))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, expectedNames) << "outputs lost, or files no one asked for";

    for (int k = 0; k < kEncodings; ++k) {
        SCOPED_TRACE("take " + std::to_string(k));
        const fs::path mp3 = outputs / ("take " + std::to_string(k) + ".mp3");
        const std::string bytes = readFile(mp3);
        EXPECT_GT(mp3FrameChain(bytes), 0) << "not an unbroken chain of MPEG-1 Layer III frames";
        EXPECT_EQ(id3v2Texts(bytes)["TIT2"], title(k));
        const std::optional<Wave> decoded = decodeMp3(mp3, dir / ("decoded " + std::to_string(k)));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->sampleRate, 44100);
        // LAME's own tag records the encoder delay and padding, so the decoder gives back the
        // input's exact length.
        EXPECT_EQ(decoded->frames(), inputFrames(k));
    }
}

} // namespace
