#include "CommandBuilder.h"
#include "EventWiring.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quendra;

namespace {

const std::string kTail = " --scale 1 -q 2 \"C:\\in.wav\" \"C:\\out.mp3\"";

struct BuildCase {
    const char* name;
    std::function<void(FormModel&, EventWiring&)> setup;
    std::string expected;
};

void PrintTo(const BuildCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandBuilderTest : public ::testing::TestWithParam<BuildCase> {};

TEST_P(CommandBuilderTest, BuildsTheExactLine) {
    FormModel model;
    EventWiring wiring(model);
    model.setText("Edit01", "C:\\in.wav");
    model.setText("Edit02", "C:\\out.mp3");
    GetParam().setup(model, wiring);
    EXPECT_EQ(CommandBuilder::build(model).line, GetParam().expected);
}

using M = FormModel;
using W = EventWiring;

const BuildCase kBitrateModes[] = {
    {"InitialState", [](M&, W&) {}, "lame.bin --cbr -b auto" + kTail},
    {"AbrAutoUses128", [](M& m, W&) { m.setItemIndex("RadioGroup1", 2); },
     "lame.bin --abr 128" + kTail},
    {"Abr16kHzWithAutoBitrateUses48",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 2);
         m.setText("ComboBox1", "16 kHz");
     },
     "lame.bin --abr 48 --resample 16" + kTail},
    {"Abr22kHzAnd24kHzUse64",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 2);
         m.setText("ComboBox1", "22.05 kHz");
     },
     "lame.bin --abr 64 --resample 22.05" + kTail},
    {"Abr32kHzUses96",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 2);
         m.setText("ComboBox1", "32 kHz");
     },
     "lame.bin --abr 96 --resample 32" + kTail},
    {"Abr48kHzUsesItsOwnDropDownWhenSet",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 2);
         m.setText("ComboBox1", "48 kHz");
         m.setText("ComboBox2", "256");
         m.setText("ComboBox4", "32"); // not the 48 kHz drop-down
     },
     "lame.bin --abr 256 --resample 48" + kTail},
    {"Cbr44kHzReadsComboBox2",
     [](M& m, W&) {
         m.setText("ComboBox1", "44.1 kHz");
         m.setText("ComboBox2", "192");
     },
     "lame.bin --cbr -b 192 --resample 44.1" + kTail},
    {"Cbr24kHzReadsComboBox3",
     [](M& m, W&) {
         m.setText("ComboBox1", "24 kHz");
         m.setText("ComboBox3", "144");
         m.setText("ComboBox2", "320");
     },
     "lame.bin --cbr -b 144 --resample 24" + kTail},
    {"CbrKeepsATypedBitrateAsTyped", [](M& m, W&) { m.setText("ComboBox4", "12 8"); },
     "lame.bin --cbr -b 12 8" + kTail},
    {"VbrReadsNoBitrate",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 1);
         m.setText("ComboBox1", "44.1 kHz");
         m.setText("ComboBox2", "192");
     },
     "lame.bin -V 4 --resample 44.1" + kTail},
    {"VbrQualityFromTheSlider",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 1);
         m.setPosition("TrackBar1", 0);
     },
     "lame.bin -V 0" + kTail},
    {"TypedFrequencyInCbrGivesNoBitrateAndTwoSpaces", [](M& m, W&) { m.setText("ComboBox1", "8"); },
     "lame.bin  --resample 8" + kTail},
    {"TypedFrequencyInAbrGivesNoBitrate",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 2);
         m.setText("ComboBox1", "Auto");
     },
     "lame.bin  --resample Auto" + kTail},
    {"TypedFrequencyInVbrKeepsTheQuality",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup1", 1);
         m.setText("ComboBox1", "11");
     },
     "lame.bin -V 4 --resample 11" + kTail},
};
INSTANTIATE_TEST_SUITE_P(BitrateMode, CommandBuilderTest, ::testing::ValuesIn(kBitrateModes),
                         [](const auto& info) { return std::string(info.param.name); });

const BuildCase kStreamOptions[] = {
    {"JointStereoComesBeforeResampling",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup2", 2);
         m.setText("ComboBox1", "32 kHz");
     },
     "lame.bin --cbr -b auto -m j --resample 32" + kTail},
    {"EveryStereoMode", [](M& m, W&) { m.setItemIndex("RadioGroup2", 5); },
     "lame.bin --cbr -b auto -m m" + kTail},
    {"ForcedJointStereo", [](M& m, W&) { m.setItemIndex("RadioGroup2", 3); },
     "lame.bin --cbr -b auto -m f" + kTail},
    {"DeemphasisAndReplayGain",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup3", 2);
         m.setItemIndex("RadioGroup4", 0);
     },
     "lame.bin --cbr -b auto -e c --noreplaygain" + kTail},
    {"AccurateReplayGain",
     [](M& m, W&) {
         m.setItemIndex("RadioGroup3", 1);
         m.setItemIndex("RadioGroup4", 2);
     },
     "lame.bin --cbr -b auto -e 5 --replaygain-accurate" + kTail},
    {"StreamFlags",
     [](M& m, W&) {
         m.setChecked("CheckBox04", true);
         m.setChecked("CheckBox02", true);
         m.setChecked("CheckBox03", true);
     },
     "lame.bin --cbr -b auto -p -o -c" + kTail},
};
INSTANTIATE_TEST_SUITE_P(Stream, CommandBuilderTest, ::testing::ValuesIn(kStreamOptions),
                         [](const auto& info) { return std::string(info.param.name); });

const BuildCase kTags[] = {
    {"PlaceholdersBecomeEmptyAndTheCommentTheDefault",
     [](M&, W& w) { w.checkedChanged("CheckBox01", true); },
     "lame.bin --cbr -b auto --tt \"\" --ta \"\" --tl \"\" --ty \"\" --tc \"Encoded with Quendra "
     "v1.1\" --tn \"\" --tg \"\"" +
         kTail},
    {"TypedTagsInOrder",
     [](M& m, W& w) {
         w.checkedChanged("CheckBox01", true);
         m.setText("Edit03", "Song");
         m.setText("Edit04", "Artist Name");
         m.setText("Edit05", "Album");
         m.setText("Edit06", "1999");
         m.setText("Edit07", "");
         m.setText("Edit08", "7");
         m.setText("ComboBox5", "Rock & Roll");
     },
     "lame.bin --cbr -b auto --tt \"Song\" --ta \"Artist Name\" --tl \"Album\" --ty \"1999\" "
     "--tc \"\" --tn \"7\" --tg \"Rock & Roll\"" +
         kTail},
    {"PlaceholderComparisonIsExact",
     [](M& m, W& w) {
         w.checkedChanged("CheckBox01", true);
         m.setText("Edit03", "<Title>");
         m.setText("Edit07", "<additional info> ");
     },
     "lame.bin --cbr -b auto --tt \"<Title>\" --ta \"\" --tl \"\" --ty \"\" --tc \"<additional "
     "info> \" --tn \"\" --tg \"\"" +
         kTail},
    {"TagsOffWritesNoneEvenWhenTyped", [](M& m, W&) { m.setText("Edit03", "Song"); },
     "lame.bin --cbr -b auto" + kTail},
    {"AQuoteInATitleStaysInsideItsArgument",
     [](M& m, W& w) {
         w.checkedChanged("CheckBox01", true);
         m.setText("Edit03", "12\" Mix");
     },
     "lame.bin --cbr -b auto --tt \"12\\\" Mix\" --ta \"\" --tl \"\" --ty \"\" --tc \"Encoded "
     "with Quendra v1.1\" --tn \"\" --tg \"\"" +
         kTail},
    {"TagsComeAfterResamplingAndBeforeDeemphasis",
     [](M& m, W& w) {
         w.checkedChanged("CheckBox01", true);
         m.setText("ComboBox1", "48 kHz");
         m.setItemIndex("RadioGroup3", 1);
         m.setText("Edit07", "c");
     },
     "lame.bin --cbr -b auto --resample 48 --tt \"\" --ta \"\" --tl \"\" --ty \"\" --tc \"c\" "
     "--tn \"\" --tg \"\" -e 5" +
         kTail},
};
INSTANTIATE_TEST_SUITE_P(Tags, CommandBuilderTest, ::testing::ValuesIn(kTags),
                         [](const auto& info) { return std::string(info.param.name); });

const BuildCase kAthAndBandwidth[] = {
    {"NoAth", [](M&, W& w) { w.checkedChanged("CheckBox05", false); },
     "lame.bin --cbr -b auto --noath" + kTail},
    {"AthType", [](M& m, W&) { m.setText("ComboBox7", "2"); },
     "lame.bin --cbr -b auto --athtype 2" + kTail},
    {"AthTypeIgnoredWithoutAth",
     [](M& m, W& w) {
         m.setText("ComboBox7", "2");
         w.checkedChanged("CheckBox05", false);
     },
     "lame.bin --cbr -b auto --noath" + kTail},
    {"AthOnlyWinsOverAthShort", [](M&, W& w) { w.checkedChanged("CheckBox06", true); },
     "lame.bin --cbr -b auto --athonly" + kTail},
    {"AthShortAndLower",
     [](M& m, W& w) {
         w.checkedChanged("CheckBox07", true);
         w.checkedChanged("CheckBox08", true);
         m.setText("Edit15", "3");
     },
     "lame.bin --cbr -b auto --athshort --athlower 3" + kTail},
    {"AthLowerWithAnEmptyValue", [](M&, W& w) { w.checkedChanged("CheckBox08", true); },
     "lame.bin --cbr -b auto --athlower " + kTail},
    {"AutomaticBandwidthWritesNothing",
     [](M& m, W&) {
         EXPECT_TRUE(m.checked("CheckBox12"));
         EXPECT_TRUE(m.checked("CheckBox13"));
     },
     "lame.bin --cbr -b auto" + kTail},
    {"FullBandwidthIsKAlone",
     [](M& m, W& w) {
         w.checkedChanged("CheckBox09", false);
         w.checkedChanged("CheckBox10", true);
         m.setText("Edit11", "0.1");
         w.checkedChanged("CheckBox14", true);
         m.setChecked("CheckBox12", true); // even a filter box left checked is not read
     },
     "lame.bin --cbr -b auto -k" + kTail},
    {"EveryFilterInOrder",
     [](M& m, W& w) {
         w.checkedChanged("CheckBox09", false);
         for (const char* box : {"CheckBox13", "CheckBox12", "CheckBox11", "CheckBox10"})
             w.checkedChanged(box, true);
         m.setText("Edit11", "0.05");
         m.setText("Edit12", "0.01");
         m.setText("Edit13", "16");
         m.setText("Edit14", "1");
     },
     "lame.bin --cbr -b auto --highpass 0.05 --highpass-width 0.01 --lowpass 16 "
     "--lowpass-width 1" +
         kTail},
    {"AFilterWithAnEmptyValue",
     [](M&, W& w) {
         w.checkedChanged("CheckBox09", false);
         w.checkedChanged("CheckBox12", true);
     },
     "lame.bin --cbr -b auto --lowpass " + kTail},
};
INSTANTIATE_TEST_SUITE_P(AthAndBandwidth, CommandBuilderTest, ::testing::ValuesIn(kAthAndBandwidth),
                         [](const auto& info) { return std::string(info.param.name); });

const BuildCase kTailOptions[] = {
    {"ProcessorExtensions",
     [](M& m, W&) {
         m.setChecked("CheckBox17", true);
         m.setChecked("CheckBox15", true);
         m.setChecked("CheckBox16", true);
     },
     "lame.bin --cbr -b auto --noasm mmx --noasm 3dnow --noasm sse" + kTail},
    {"QualityMeasure", [](M& m, W&) { m.setText("ComboBox6", "-X7"); },
     "lame.bin --cbr -b auto -X 7" + kTail},
    {"QualityMeasureZeroWritesNothing", [](M& m, W&) { m.setText("ComboBox6", "-X0"); },
     "lame.bin --cbr -b auto" + kTail},
    {"QualityMeasureOtherTextWritesNothing", [](M& m, W&) { m.setText("ComboBox6", "-x3"); },
     "lame.bin --cbr -b auto" + kTail},
    {"QualityMeasureWithTrailingTextWritesNothing",
     [](M& m, W&) { m.setText("ComboBox6", "-X3 "); }, "lame.bin --cbr -b auto" + kTail},
    {"CompatibilityInOrder",
     [](M& m, W&) {
         for (const char* box : {"CheckBox18", "CheckBox19", "CheckBox23"})
             m.setChecked(box, true);
         for (const char* box :
              {"CheckBox20", "CheckBox21", "CheckBox22", "CheckBox24", "CheckBox25"})
             m.setChecked(box, false);
     },
     "lame.bin --cbr -b auto --freeformat --strictly-enforce-ISO --nores --noshort --allshort -d "
     "--notemp -t" +
         kTail},
    {"EmptyScaleGivesTwoSpaces", [](M& m, W&) { m.setText("Edit09", ""); },
     "lame.bin --cbr -b auto --scale  -q 2 \"C:\\in.wav\" \"C:\\out.mp3\""},
    {"AlgorithmQualityFromTheSlider", [](M& m, W&) { m.setPosition("TrackBar2", 9); },
     "lame.bin --cbr -b auto --scale 1 -q 9 \"C:\\in.wav\" \"C:\\out.mp3\""},
    {"EmptyPathsGiveTwoEmptyQuotedArguments",
     [](M& m, W&) {
         m.setText("Edit01", "");
         m.setText("Edit02", "");
     },
     "lame.bin --cbr -b auto --scale 1 -q 2 \"\" \"\""},
    {"ATonalityLimitIsNeverRead", [](M& m, W&) { m.setText("Edit10", "3"); },
     "lame.bin --cbr -b auto" + kTail},
};
INSTANTIATE_TEST_SUITE_P(Tail, CommandBuilderTest, ::testing::ValuesIn(kTailOptions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandBuilderModel, BuildNeverWritesTheModelAndCarriesNothingOver) {
    FormModel model;
    model.setItemIndex("RadioGroup1", 2);
    model.setText("ComboBox1", "16 kHz");
    int notices = 0;
    model.subscribe([&](const std::string&, Field) { ++notices; });
    const std::string first = CommandBuilder::build(model).line;
    EXPECT_EQ(CommandBuilder::build(model).line, first);
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(model.text("ComboBox3"), "auto");
    EXPECT_EQ(model.text("ComboBox1"), "16 kHz");

    model.setItemIndex("RadioGroup1", 0);
    model.setText("ComboBox1", "auto");
    EXPECT_EQ(CommandBuilder::build(model).line, "lame.bin --cbr -b auto --scale 1 -q 2 \"\" \"\"");
}

} // namespace
