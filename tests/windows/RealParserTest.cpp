// The encoder's command line is written for the Windows C runtime's argument parser. These tests
// hand command lines to real ones (those the recording encoder reports) and hold our splitter and
// our quoting to their answers.
#include "CommandLine.h"
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace quendra;
using wintest::Args;

namespace {

// The parsers an encoder built for Windows may get its arguments from: "crt" is msvcrt.dll
// (MinGW builds), "ucrt" the Universal C runtime (MSVC builds), when this Windows has it.
const char* const kRuntimes[] = {"crt", "ucrt"};

// Lines after the program name that the rules single out: doubled quotes in and out of
// quotes, runs of backslashes before quotes and elsewhere, tabs, unterminated quotes.
const char* const kTrickyTails[] = {
    "",
    " ",
    "a  b\t\tc \t ",
    "\ta",
    "\"\"",
    "a \"\" \"\"",
    "\"a b\" c",
    "a\"b c\"d",
    "a\"b\"c",
    "\"a\"b\"c\"",
    "\"a\tb\"\tc",
    "a\\b\\\\c",
    "a\\\\b\\ c\\",
    "\"a\\\"b\"",
    "\"a\\\\\" b",
    "\"a\\\\\\\"b\"",
    "\\\"a b\\\"",
    "a\\\\\\\"b c",
    "\\\\\\\\\"a b\"",
    "\"C:\\dir\\\\\" x",
    "\"C:\\dir\\\" x y",
    "C:\\dir\\ x",
    "\"a\"\"b\"",
    "\"a\"\"b c\"",
    "\"a\"\" b\"",
    "a\"\"b",
    "a\"\"\"b c",
    "\"\"\"\"",
    "\"\"\"\" x",
    "\"\"\"a b\"\"\"",
    "\" \"\" \"",
    "\"\"\"\"\"\" x",
    "\"unterminated arg",
    "a \"b\\",
    "\"a\\\"",
    "\"a\\\\\"\"b\"",
    "%PATH% ^a &b |c <d >e",
};

std::vector<std::string> withProgram(const std::vector<std::string>& tails) {
    std::vector<std::string> lines;
    for (const std::string& tail : tails)
        lines.push_back("lame.bin " + tail);
    return lines;
}

// Checks our split of every line against each runtime's; one failure per disagreement.
void expectSameSplit(const std::vector<std::string>& lines) {
    const std::vector<argrecord::Lists> records = wintest::recordLines(lines);
    ASSERT_EQ(records.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Args ours = splitCommandLine(lines[i]);
        ASSERT_EQ(records[i].at("line").at(0), lines[i]) << "the line was not passed on as given";
        for (const char* runtime : kRuntimes) {
            const auto found = records[i].find(runtime);
            if (found == records[i].end())
                continue;
            EXPECT_EQ(ours, found->second) << "splitCommandLine disagrees with " << runtime
                                           << " on " << wintest::shown(lines[i]);
        }
    }
}

TEST(RealParser, RecordsTheCrtAndTheUniversalCrt) {
    const argrecord::Lists record = wintest::recordLines({"lame.bin \"a b\" c"}).at(0);
    EXPECT_EQ(record.at("crt"), (Args{"lame.bin", "a b", "c"}));
    // Every Windows since 10 and wine have it; without it the comparisons lose half their worth.
    ASSERT_EQ(record.count("ucrt"), 1u);
    EXPECT_EQ(record.at("ucrt"), (Args{"lame.bin", "a b", "c"}));
}

TEST(RealParser, SplitsTrickyLinesAsTheRuntimesDo) {
    expectSameSplit(withProgram({std::begin(kTrickyTails), std::end(kTrickyTails)}));
}

// Lines of the characters the rules are about, at random: the table's cases and their
// neighbours in every combination.
TEST(RealParser, SplitsRandomLinesAsTheRuntimesDo) {
    const char alphabet[] = {'a', 'b', ' ', '\t', '"', '\\'};
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<std::size_t> length(0, 14);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof alphabet - 1);
    std::vector<std::string> tails;
    for (int i = 0; i < 400; ++i) {
        std::string tail;
        for (std::size_t n = length(rng); n > 0; --n)
            tail += alphabet[pick(rng)];
        tails.push_back(tail);
    }
    expectSameSplit(withProgram(tails));
}

// What the encoder receives for values enclosed by quoteArgument, for every parser that may be
// on the other end: the values themselves.
TEST(RealParser, QuotedValuesArriveWhole) {
    static const std::vector<std::string> pieces = {
        "\"", "\\", " ", "\t",     "a", "Z", "-k", "\\\"", "\"\"", "\\\\",
        "'",  ";",  "&", "%PATH%", "^", "|", "<",  ">",    "C:\\"};
    std::mt19937 rng(8);
    std::uniform_int_distribution<std::size_t> length(0, 8);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::vector<Args> values;
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i) {
        Args args;
        std::string line = "lame.bin";
        for (int a = 0; a < 5; ++a) {
            std::string value;
            for (std::size_t n = length(rng); n > 0; --n)
                value += pieces[pick(rng)];
            line += ' ' + quoteArgument(value);
            args.push_back(std::move(value));
        }
        values.push_back(std::move(args));
        lines.push_back(std::move(line));
    }
    const std::vector<argrecord::Lists> records = wintest::recordLines(lines);
    ASSERT_EQ(records.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const char* parser : {"crt", "ucrt", "shell"}) {
            const auto found = records[i].find(parser);
            if (found == records[i].end())
                continue;
            ASSERT_FALSE(found->second.empty());
            const Args received(found->second.begin() + 1, found->second.end());
            EXPECT_EQ(received, values[i]) << parser << " on " << wintest::shown(lines[i]);
        }
    }
}

} // namespace
