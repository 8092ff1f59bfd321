#include "LameArguments.h"

#include <gtest/gtest.h>

using namespace quendra;

namespace {

using Strings = std::vector<std::string>;

const Strings kFullBand{"--lowpass", "-1", "--highpass", "-1"};

Strings join(std::initializer_list<Strings> parts) {
    Strings all;
    for (const Strings& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct TranslationCase {
    const char* name;
    Strings received;
    Strings forLame;
};

void PrintTo(const TranslationCase& c, std::ostream* out) {
    *out << c.name;
}

class TranslateForLame : public testing::TestWithParam<TranslationCase> {};

TEST_P(TranslateForLame, OnlyOptionPositionsAreTranslated) {
    EXPECT_EQ(translateForLame(GetParam().received), GetParam().forLame);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TranslateForLame, testing::Values(
    TranslationCase{"InitialState",
                    {"--cbr", "-b", "auto", "--scale", "1", "-q", "2", "in.wav", "out.mp3"},
                    {"--cbr", "-b", "0", "--scale", "1", "-q", "2", "in.wav", "out.mp3"}},
    TranslationCase{"NumericBitrateStays", {"--cbr", "-b", "192", "a", "b"},
                    {"--cbr", "-b", "192", "a", "b"}},
    TranslationCase{"AbrAutoIsNotTheBitrateOption", {"--abr", "auto", "a", "b"},
                    {"--abr", "auto", "a", "b"}},
    TranslationCase{"KAnywhere",
                    {"-k", "--cbr", "-b", "auto", "-k", "-q", "2", "in.wav", "out.mp3", "-k"},
                    join({kFullBand, {"--cbr", "-b", "0"}, kFullBand,
                          {"-q", "2", "in.wav", "out.mp3"}, kFullBand})},
    TranslationCase{"KBetweenFlags", {"-p", "-k", "--noasm", "sse", "a", "b"},
                    join({{"-p"}, kFullBand, {"--noasm", "sse", "a", "b"}})},
    TranslationCase{"TitleKStays", {"--tt", "-k", "a", "b"}, {"--tt", "-k", "a", "b"}},
    TranslationCase{"ArtistBThenAutoStays", {"--ta", "-b", "auto", "a"},
                    {"--ta", "-b", "auto", "a"}},
    TranslationCase{"TitleAutoAfterBitrate", {"-b", "auto", "--tt", "auto", "--tl", "-b"},
                    {"-b", "0", "--tt", "auto", "--tl", "-b"}},
    TranslationCase{"BitrateAfterValuedOptionIsAnOption", {"-q", "2", "-b", "auto", "-V", "-b"},
                    {"-q", "2", "-b", "0", "-V", "-b"}},
    TranslationCase{"WordsInsideArgumentsStay",
                    {"-kb", "--k", "-b auto", "auto", "-bauto", "x-k", "-K", "-B", "AUTO"},
                    {"-kb", "--k", "-b auto", "auto", "-bauto", "x-k", "-K", "-B", "AUTO"}},
    TranslationCase{"BitrateAutoWithBlanksIsNotAuto", {"-b", " auto"}, {"-b", " auto"}},
    TranslationCase{"ValuedOptionLastKeepsGoing", {"-k", "-b"}, join({kFullBand, {"-b"}})},
    TranslationCase{"EmptyArgumentsStay", {"", "-b", "", "-k", ""},
                    join({{"", "-b", ""}, kFullBand, {""}})},
    TranslationCase{"Nothing", {}, {}}),
    [](const testing::TestParamInfo<TranslationCase>& info) { return info.param.name; });
// clang-format on

TEST(TranslateForLameVocabulary, EveryValuedOptionShieldsItsValue) {
    for (const char* option : {"--tt",       "--ta",
                               "--tl",       "--ty",
                               "--tc",       "--tn",
                               "--tg",       "--abr",
                               "-V",         "-m",
                               "--resample", "-e",
                               "--athtype",  "--athlower",
                               "--highpass", "--highpass-width",
                               "--lowpass",  "--lowpass-width",
                               "--noasm",    "-X",
                               "--scale",    "-q",
                               "-b"})
        for (const char* value : {"-k", "-b", "auto"}) {
            const std::string kept =
                std::string(option) == "-b" && std::string(value) == "auto" ? "0" : value;
            EXPECT_EQ(translateForLame({option, value, "-k"}), join({{option, kept}, kFullBand}))
                << option << ' ' << value;
        }
}

TEST(TranslateForLameVocabulary, FlagsLeaveTheNextArgumentAnOption) {
    for (const char* flag :
         {"--cbr", "-p", "-o", "-c", "-d", "-t", "--noath", "--athonly", "--athshort", "--nores",
          "--noshort", "--allshort", "--notemp", "--freeformat", "--strictly-enforce-ISO",
          "--noreplaygain", "--replaygain-accurate", "--TT", "-B"}) {
        EXPECT_EQ(translateForLame({flag, "-k"}), join({{flag}, kFullBand})) << flag;
        EXPECT_EQ(translateForLame({flag, "-b", "auto"}), (Strings{flag, "-b", "0"})) << flag;
    }
}

} // namespace
