#include "CommandLine.h"
#include "CommandBuilder.h"
#include "EventWiring.h"

#include <gtest/gtest.h>

#include <random>

using namespace quendra;

namespace {

using Args = std::vector<std::string>;

TEST(QuoteArgument, EnclosesPlainValuesUnchanged) {
    EXPECT_EQ(quoteArgument(""), "\"\"");
    EXPECT_EQ(quoteArgument("C:\\music\\a.wav"), "\"C:\\music\\a.wav\"");
    EXPECT_EQ(quoteArgument("a b\tc"), "\"a b\tc\"");
    EXPECT_EQ(quoteArgument("\\\\server\\share\\x"), "\"\\\\server\\share\\x\"");
}

TEST(QuoteArgument, EscapesQuotesAndTheBackslashesBeforeThem) {
    EXPECT_EQ(quoteArgument("12\" Mix"), "\"12\\\" Mix\"");
    EXPECT_EQ(quoteArgument("a\\\"b"), "\"a\\\\\\\"b\"");
    EXPECT_EQ(quoteArgument("C:\\dir\\"), "\"C:\\dir\\\\\"");
    EXPECT_EQ(quoteArgument("x\\\\"), "\"x\\\\\\\\\"");
    EXPECT_EQ(quoteArgument("\""), "\"\\\"\"");
}

struct SplitCase {
    const char* line;
    Args args;
};

class SplitCommandLine : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLine, FollowsTheWindowsRules) {
    EXPECT_EQ(splitCommandLine(GetParam().line), GetParam().args);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitCommandLine,
    ::testing::Values(SplitCase{"lame.bin  --resample 8", {"lame.bin", "--resample", "8"}},
                      SplitCase{"  a\tb  ", {"a", "b"}}, SplitCase{"a \"\" \"\"", {"a", "", ""}},
                      SplitCase{"\"a b\" c", {"a b", "c"}}, SplitCase{"a\"b c\"d", {"ab cd"}},
                      SplitCase{"a\\b\\\\c", {"a\\b\\\\c"}}, SplitCase{"\"a\\\"b\"", {"a\"b"}},
                      SplitCase{"\"a\\\\\" b", {"a\\", "b"}},
                      SplitCase{"\"a\\\\\\\"b\"", {"a\\\"b"}}, SplitCase{"\"a\"\"b\"", {"a\"b"}},
                      SplitCase{"\"unterminated arg", {"unterminated arg"}}, SplitCase{"", {}}));

// Texts made of the characters that break naive quoting, UTF-8 among them.
std::string generatedText(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "\"",   "\\",   " ",    "\t",   "a", "Z", "-k", "--tt",  "é",     "ü",
        "日本", "\\\"", "\"\"", "\\\\", "'", ";", "&",  "$HOME", "%PATH%"};
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (std::size_t n = length(rng); n > 0; --n)
        text += pieces[pick(rng)];
    return text;
}

TEST(QuotingRoundTrip, AnyTextComesBackWhole) {
    std::mt19937 rng(20261207);
    for (int i = 0; i < 5000; ++i) {
        const std::string a = generatedText(rng);
        const std::string b = generatedText(rng);
        ASSERT_EQ(splitCommandLine(quoteArgument(a) + " " + quoteArgument(b)), (Args{a, b}))
            << "a=[" << a << "] b=[" << b << "]";
    }
}

TEST(QuotingRoundTrip, EveryQuotedFieldOfABuiltCommandComesBackWhole) {
    const char* tagFields[] = {"Edit03", "Edit04", "Edit05",   "Edit06",
                               "Edit07", "Edit08", "ComboBox5"};
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        FormModel model;
        EventWiring(model).checkedChanged("CheckBox01", true);
        std::vector<std::string> tags;
        for (const char* field : tagFields) {
            // The generator never makes a placeholder such as "<title>", which is replaced.
            const std::string text = generatedText(rng);
            model.setText(field, text);
            tags.push_back(text);
        }
        const std::string input = generatedText(rng);
        const std::string output = generatedText(rng);
        model.setText("Edit01", input);
        model.setText("Edit02", output);

        const Args args = splitCommandLine(CommandBuilder::build(model).line);
        // lame.bin --cbr -b auto, seven option/value pairs, --scale 1 -q 2, two paths
        ASSERT_EQ(args.size(), 4u + 14u + 4u + 2u) << CommandBuilder::build(model).line;
        for (std::size_t t = 0; t < tags.size(); ++t)
            EXPECT_EQ(args[5 + 2 * t], tags[t]);
        EXPECT_EQ(args[args.size() - 2], input);
        EXPECT_EQ(args.back(), output);
    }
}

TEST(QuotingRoundTrip, AQuotedTitleCannotShiftTheFileArguments) {
    FormModel model;
    EventWiring(model).checkedChanged("CheckBox01", true);
    model.setText("Edit03", "x\" \"song.wav");
    model.setText("Edit01", "in.wav");
    model.setText("Edit02", "out.mp3");
    const Args args = splitCommandLine(CommandBuilder::build(model).line);
    EXPECT_EQ(args[5], "x\" \"song.wav");
    EXPECT_EQ(args[args.size() - 2], "in.wav");
    EXPECT_EQ(args.back(), "out.mp3");
}

} // namespace
