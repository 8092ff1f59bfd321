// How lame.bin reads the window's command line: what each word asks of the library, and the
// refusals that name the word and its value.
#include "CommandBuilder.h"
#include "CommandLine.h"
#include "FormModel.h"
#include "RequestParser.h"

#include <gtest/gtest.h>

using namespace lamebin;
using namespace quendra;

namespace {

using Strings = std::vector<std::string>;
using Rate = EncoderSettings::Rate;

EncoderSettings parsed(Strings arguments) {
    arguments.insert(arguments.end(), {"in.wav", "out.mp3"});
    const EncodingRequest request = parseRequest(arguments);
    EXPECT_EQ(request.refusal, "");
    return request.settings;
}

TEST(RequestParser, TheWindowsInitialCommand) {
    FormModel model;
    Strings arguments = splitCommandLine(CommandBuilder::build(model).line);
    arguments.erase(arguments.begin());
    const EncodingRequest request = parseRequest(arguments);
    ASSERT_EQ(request.refusal, "");
    EXPECT_EQ(request.files, (Strings{"", ""}));
    EXPECT_EQ(request.settings.rate, Rate::Constant);
    EXPECT_EQ(request.settings.bitrate, 0); // "auto": the library's default
    EXPECT_EQ(request.settings.scale, 1.0f);
    EXPECT_EQ(request.settings.quality, 2);
    EXPECT_EQ(request.settings.replayGain, EncoderSettings::ReplayGain::Fast);
}

TEST(RequestParser, WordsInLame397Units) {
    const EncoderSettings full = parsed({"-k"});
    EXPECT_EQ(full.lowpass, -1);
    EXPECT_EQ(full.highpass, -1);
    // Filters in kHz below 50 (lowpass) or 16 (the others), in Hz above; the highpass width is
    // always in whole Hz.
    const EncoderSettings filters = parsed({"--lowpass", "17.5", "--lowpass-width", "20",
                                            "--highpass", "0.05", "--highpass-width", "2.9"});
    EXPECT_EQ(filters.lowpass, 17500);
    EXPECT_EQ(filters.lowpassWidth, 20);
    EXPECT_EQ(filters.highpass, 50);
    EXPECT_EQ(filters.highpassWidth, 2);
    EXPECT_EQ(parsed({"--lowpass", "-3"}).lowpass, -1);
    EXPECT_EQ(parsed({"--resample", "22.05"}).outputSampleRate, 22050);
    EXPECT_EQ(parsed({"--resample", "44100"}).outputSampleRate, 44100);
    EXPECT_EQ(parsed({"--abr", "128000"}).averageBitrate, 128);
    EXPECT_EQ(parsed({"--abr", "400"}).averageBitrate, 320);
    EXPECT_EQ(parsed({"--abr", "2"}).averageBitrate, 8);
    EXPECT_EQ(parsed({"-e", "c"}).emphasis, 3);
    EXPECT_EQ(parsed({"-m", "f"}).channelMode, EncoderSettings::ChannelMode::ForcedJointStereo);
    // The last rate word wins, except that -V after --abr keeps ABR, as in LAME.
    EXPECT_EQ(parsed({"--cbr", "-V", "4"}).rate, Rate::Variable);
    EXPECT_EQ(parsed({"-V", "4", "--cbr"}).rate, Rate::Constant);
    EXPECT_EQ(parsed({"--abr", "96", "-V", "4"}).rate, Rate::Average);
}

TEST(RequestParser, TagValuesAreNeverOptions) {
    const EncoderSettings s = parsed({"--tt", "-k", "--ta", "", "--tg", "Alt. Rock", "--tc", "-b"});
    EXPECT_EQ(s.tags, (std::vector<std::pair<char, std::string>>{
                          {'t', "-k"}, {'a', ""}, {'g', "Alt. Rock"}, {'c', "-b"}}));
    EXPECT_FALSE(s.lowpass);
}

struct RefusalCase {
    Strings arguments;
    const char* refusal;
};

class RequestRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(RequestRefusal, NamesTheWordAndItsValue) {
    EXPECT_EQ(parseRequest(GetParam().arguments).refusal, GetParam().refusal);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, RequestRefusal, testing::Values(
    RefusalCase{{"--scale", "abc", "a", "b"}, "--scale \"abc\": not a number."},
    RefusalCase{{"--scale", "", "a", "b"}, "--scale \"\": not a number."},
    RefusalCase{{"--scale", " 1", "a", "b"}, "--scale \" 1\": not a number."},
    RefusalCase{{"--athlower", "3dB", "a", "b"}, "--athlower \"3dB\": not a number."},
    RefusalCase{{"--athtype", "1.5", "a", "b"}, "--athtype \"1.5\": not a whole number."},
    RefusalCase{{"-q", "x", "a", "b"}, "-q \"x\": not a whole number."},
    RefusalCase{{"-b", "-8", "a", "b"}, "-b \"-8\": not a bitrate in kbit/s, nor \"auto\"."},
    RefusalCase{{"--abr", "auto", "a", "b"}, "--abr \"auto\": not a whole number."},
    RefusalCase{{"--resample", "50", "a", "b"},
                "--resample \"50\": not a sampling frequency of MP3 (8, 11.025, 12, 16, 22.05, "
                "24, 32, 44.1 or 48 kHz)."},
    RefusalCase{{"--lowpass", "0.0001", "a", "b"},
                "--lowpass \"0.0001\": outside 0.001 to 50000 (kHz below 50, Hz above)."},
    RefusalCase{{"-m", "x", "a", "b"}, "-m \"x\": not a channel mode (s, j, f, d or m)."},
    RefusalCase{{"--noasm", "avx", "a", "b"},
                "--noasm \"avx\": not an instruction set (mmx, 3dnow or sse)."},
    RefusalCase{{"-K", "a", "b"}, "\"-K\" is not an option lame.bin knows."},
    RefusalCase{{"--preset", "a", "b"}, "\"--preset\" is not an option lame.bin knows."},
    RefusalCase{{"a", "b", "c"}, "a third file name \"c\": lame.bin takes one input and one output."},
    RefusalCase{{"a", "--scale"}, "--scale needs a value and none follows."},
    RefusalCase{{"a"}, "no output file was named."},
    RefusalCase{{}, "no input file was named."}));
// clang-format on

} // namespace
