// The product's launcher on Windows: WinExec starts "lame.bin" beside the program, and the
// encoder's C runtime must hand it every field exactly as typed.
#include "CommandBuilder.h"
#include "CommandLine.h"
#include "EventWiring.h"
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace quendra;
using wintest::Args;

namespace {

struct TagField {
    const char* option;
    const char* control;
};

const std::array<TagField, 7> kTags = {{{"--tt", "Edit03"},
                                        {"--ta", "Edit04"},
                                        {"--tl", "Edit05"},
                                        {"--ty", "Edit06"},
                                        {"--tc", "Edit07"},
                                        {"--tn", "Edit08"},
                                        {"--tg", "ComboBox5"}}};

// Values typed into the window. WinExec takes the ANSI code page, so these stay ASCII.
struct Fields {
    const char* name;
    std::string input;
    std::string output;
    std::array<std::string, 7> tags;
};

void PrintTo(const Fields& fields, std::ostream* os) {
    *os << fields.name;
}

const Fields kFieldSets[] = {
    {"Blanks",
     "C:\\My Music\\in file.wav",
     "C:\\My Music\\  out  .mp3",
     {"A Title", "An  Artist", "\tTabbed\t", " 1999", "a comment ", "3 ", "Hard Rock"}},
    {"Quotes",
     "C:\\in \"quoted\".wav",
     "\"C:\\out.mp3\"",
     {"12\" Mix", "\"Quoted\"", "say \"\"hi\"\"", "\"", "\"\"", "\" \"", "a\"b\"c"}},
    {"Backslashes",
     "\\\\server\\share\\in.wav",
     "C:\\a\\\\b\\\\\\c.mp3",
     {"back\\slash", "\\\\\\", "\\\"", "x\\\" y", "a\\\\\"b", "\\ \\", "\\\\\"\""}},
    {"TrailingBackslashes",
     "C:\\music dir\\",
     "C:\\out\\\\",
     {"a\\", "a b\\", "a\\\\", "\\", "\\\\", "\"\\", "x \\\\\\"}},
    {"EmptyFields", "", "", {"", "", "", "", "", "", ""}},
    {"ShellCharacters",
     "C:\\a&b\\%TEMP%\\in.wav",
     "C:\\a^b\\(1)\\out;.mp3",
     {"<x>", "a|b", "$HOME", "'single'", "--tt", "-k", "!bang %PATH%"}},
};

class WinExecLaunch : public ::testing::TestWithParam<Fields> {};

TEST_P(WinExecLaunch, TheEncoderReceivesEveryFieldAsTyped) {
    const Fields& fields = GetParam();
    FormModel model;
    EventWiring(model).checkedChanged("CheckBox01", true);
    model.setText("Edit01", fields.input);
    model.setText("Edit02", fields.output);
    for (std::size_t t = 0; t < kTags.size(); ++t)
        model.setText(kTags[t].control, fields.tags[t]);
    const EncoderCommand command = CommandBuilder::build(model);

    const wintest::Launch launch = wintest::launchAndRecord(command);
    ASSERT_TRUE(launch.result.started) << launch.result.reason;
    EXPECT_EQ(launch.record.at("line").at(0), command.line);

    for (const char* runtime : {"crt", "ucrt", "shell"}) {
        const auto found = launch.record.find(runtime);
        if (found == launch.record.end())
            continue;
        SCOPED_TRACE(std::string(runtime) + " on " + wintest::shown(command.line));
        const Args& args = found->second;
        ASSERT_GE(args.size(), 1u + 2 * kTags.size() + 2);
        EXPECT_EQ(args.front(), "lame.bin");
        EXPECT_EQ(args[args.size() - 2], fields.input);
        EXPECT_EQ(args.back(), fields.output);
        // Option words precede all values, so the first "--tt" is the option itself.
        const auto title = std::find(args.begin(), args.end(), "--tt");
        ASSERT_LE(title + 2 * kTags.size(), args.end() - 2);
        for (std::size_t t = 0; t < kTags.size(); ++t) {
            EXPECT_EQ(title[2 * t], kTags[t].option);
            EXPECT_EQ(title[2 * t + 1], fields.tags[t]) << kTags[t].option;
        }
        // And the whole line splits here as it does there.
        EXPECT_EQ(splitCommandLine(command.line), args);
    }
}

INSTANTIATE_TEST_SUITE_P(FieldSets, WinExecLaunch, ::testing::ValuesIn(kFieldSets),
                         [](const ::testing::TestParamInfo<Fields>& info) {
                             return std::string(info.param.name);
                         });

TEST(WinExecLaunchFailure, AMissingEncoderIsReportedAndNotStarted) {
    const wintest::Launch launch =
        wintest::launchAndRecord(EncoderCommand{"quendra-no-such-encoder.bin \"in.wav\""});
    EXPECT_FALSE(launch.result.started);
    EXPECT_EQ(launch.result.reason, "The encoder \"lame.bin\" was not found.");
    EXPECT_FALSE(launch.result.searched.empty());
}

} // namespace
