#include "LameArguments.h"

#include <gtest/gtest.h>

using namespace quendra;

namespace {

using Strings = std::vector<std::string>;

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

const Strings kFullBand{"--lowpass", "-1", "--highpass", "-1"};

Strings join(std::initializer_list<Strings> parts) {
    Strings all;
    for (const Strings& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TranslateForLame,
    testing::Values(
        TranslationCase{"InitialState",
                        {"--cbr", "-b", "auto", "--scale", "1", "-q", "2", "in.wav", "out.mp3"},
                        {"--cbr", "-b", "0", "--scale", "1", "-q", "2", "in.wav", "out.mp3"}},
        TranslationCase{"NumericBitrateStays",
                        {"--cbr", "-b", "192", "a", "b"},
                        {"--cbr", "-b", "192", "a", "b"}},
        TranslationCase{"AbrAutoIsNotTheBitrateOption",
                        {"--abr", "auto", "a", "b"},
                        {"--abr", "auto", "a", "b"}},
        TranslationCase{"KAnywhere",
                        {"-k", "--cbr", "-b", "auto", "-k", "-q", "2", "in.wav", "out.mp3", "-k"},
                        join({kFullBand,
                              {"--cbr", "-b", "0"},
                              kFullBand,
                              {"-q", "2", "in.wav", "out.mp3"},
                              kFullBand})},
        TranslationCase{"KBetweenFlags",
                        {"-p", "-k", "--noasm", "sse", "a", "b"},
                        join({{"-p"}, kFullBand, {"--noasm", "sse", "a", "b"}})},
        TranslationCase{"TitleKStays", {"--tt", "-k", "a", "b"}, {"--tt", "-k", "a", "b"}},
        TranslationCase{
            "ArtistBThenAutoStays", {"--ta", "-b", "auto", "a"}, {"--ta", "-b", "auto", "a"}},
        TranslationCase{"TitleAutoAfterBitrate",
                        {"-b", "auto", "--tt", "auto", "--tl", "-b"},
                        {"-b", "0", "--tt", "auto", "--tl", "-b"}},
        TranslationCase{"EveryValuedOptionShieldsItsValue",
                        {"--tt",
                         "-k",
                         "--ta",
                         "-k",
                         "--tl",
                         "-k",
                         "--ty",
                         "-k",
                         "--tc",
                         "-k",
                         "--tn",
                         "-k",
                         "--tg",
                         "-k",
                         "--abr",
                         "-k",
                         "-V",
                         "-k",
                         "-m",
                         "-k",
                         "--resample",
                         "-k",
                         "-e",
                         "-k",
                         "--athtype",
                         "-k",
                         "--athlower",
                         "-k",
                         "--highpass",
                         "-k",
                         "--highpass-width",
                         "-k",
                         "--lowpass",
                         "-k",
                         "--lowpass-width",
                         "-k",
                         "--noasm",
                         "-k",
                         "-X",
                         "-k",
                         "--scale",
                         "-k",
                         "-q",
                         "-k",
                         "-b",
                         "-k"},
                        {"--tt",
                         "-k",
                         "--ta",
                         "-k",
                         "--tl",
                         "-k",
                         "--ty",
                         "-k",
                         "--tc",
                         "-k",
                         "--tn",
                         "-k",
                         "--tg",
                         "-k",
                         "--abr",
                         "-k",
                         "-V",
                         "-k",
                         "-m",
                         "-k",
                         "--resample",
                         "-k",
                         "-e",
                         "-k",
                         "--athtype",
                         "-k",
                         "--athlower",
                         "-k",
                         "--highpass",
                         "-k",
                         "--highpass-width",
                         "-k",
                         "--lowpass",
                         "-k",
                         "--lowpass-width",
                         "-k",
                         "--noasm",
                         "-k",
                         "-X",
                         "-k",
                         "--scale",
                         "-k",
                         "-q",
                         "-k",
                         "-b",
                         "-k"}},
        TranslationCase{"FlagsTakeNoValue",
                        {"-p", "-k", "-o", "-b", "auto"},
                        join({{"-p"}, kFullBand, {"-o", "-b", "0"}})},
        TranslationCase{"WordsInsideArgumentsStay",
                        {"-kb", "--k", "-b auto", "auto", "-bauto", "x-k", "-K", "-B", "AUTO"},
                        {"-kb", "--k", "-b auto", "auto", "-bauto", "x-k", "-K", "-B", "AUTO"}},
        TranslationCase{"BitrateAutoWithBlanksIsNotAuto", {"-b", " auto"}, {"-b", " auto"}},
        TranslationCase{"ValuedOptionLastKeepsGoing", {"-k", "-b"}, join({kFullBand, {"-b"}})},
        TranslationCase{"EmptyArgumentsStay",
                        {"", "-b", "", "-k", ""},
                        join({{"", "-b", ""}, kFullBand, {""}})},
        TranslationCase{"Nothing", {}, {}}),
    [](const testing::TestParamInfo<TranslationCase>& info) { return info.param.name; });

TEST(TakesValue, VocabularyAndNothingElse) {
    for (const char* option : {"--tt",
                               "--ta",
                               "--tl",
                               "--ty",
                               "--tc",
                               "--tn",
                               "--tg",
                               "-b",
                               "--abr",
                               "-V",
                               "-m",
                               "--resample",
                               "-e",
                               "--athtype",
                               "--athlower",
                               "--highpass",
                               "--highpass-width",
                               "--lowpass",
                               "--lowpass-width",
                               "--noasm",
                               "-X",
                               "--scale",
                               "-q"})
        EXPECT_TRUE(takesValue(option)) << option;
    for (const char* flag : {"--cbr",
                             "-k",
                             "-p",
                             "-o",
                             "-c",
                             "-d",
                             "-t",
                             "--noath",
                             "--athonly",
                             "--athshort",
                             "--nores",
                             "--noshort",
                             "--allshort",
                             "--notemp",
                             "--freeformat",
                             "--strictly-enforce-ISO",
                             "--noreplaygain",
                             "--replaygain-accurate",
                             "-B",
                             "--TT",
                             "auto",
                             ""})
        EXPECT_FALSE(takesValue(flag)) << flag;
}

} // namespace
