// The product's launcher on Windows: CreateProcessW starts "lame.bin" beside the program with the
// command line in UTF-16, and the encoder must receive every field exactly as typed, in any
// script.
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

// Values typed into the window.
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
    // More than any one ANSI code page holds: Latin with diacritics, CJK, Greek with typographic
    // quotes, Arabic, Cyrillic, a combining accent, and emoji beyond the Basic Multilingual Plane
    // (surrogate pairs in UTF-16).
    {"NonAscii",
     "C:\\Müsik\\日本語 ü.wav",
     "C:\\Müsik\\出力 \"ĳ\" 🎵.mp3",
     {"Ελληνικά – “quoted”", "عبد الحليم حافظ", "Альбом \\ 𝄞", "２０２４",
      "e\u0301 ﬁ \u200d 👩‍👩‍👧", "٣", "Ζεϊμπέκικο"}},
    {"NonAsciiWithQuotesAndBackslashes",
     "\\\\сервер\\папка \"ß\"\\",
     "D:\\音楽\\\\\\",
     {"\"日本\"", "ü\\\"", "\\😀\\", "\"\"", "\t€\t", "a\\\\\"b ⓑ", "🎸\\"}},
};

// Where the encoder may take its arguments from. The wide ones get the line as sent; the narrow
// ones get it through the ANSI code page, which holds only the ASCII sets whole.
struct Parser {
    const char* name;
    bool wide;
};
const Parser kParsers[] = {{"shell", true}, {"wucrt", true}, {"crt", false}, {"ucrt", false}};

bool ascii(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) > 0x7f)
            return false;
    return true;
}

class EncoderLaunch : public ::testing::TestWithParam<Fields> {};

TEST_P(EncoderLaunch, TheEncoderReceivesEveryFieldAsTyped) {
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

    ASSERT_EQ(launch.record.count("wucrt"), 1u);
    for (const Parser& parser : kParsers) {
        const auto found = launch.record.find(parser.name);
        if (found == launch.record.end() || (!parser.wide && !ascii(command.line)))
            continue;
        SCOPED_TRACE(std::string(parser.name) + " on " + wintest::shown(command.line));
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

INSTANTIATE_TEST_SUITE_P(FieldSets, EncoderLaunch, ::testing::ValuesIn(kFieldSets),
                         [](const ::testing::TestParamInfo<Fields>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
