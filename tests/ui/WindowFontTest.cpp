// Which text the window's font, laid out without a shaper, would show wrongly.
#include "WindowFont.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace {

struct ShapingCase {
    const char* name;
    const char* text; // UTF-8
    bool needsShaping;
};

void PrintTo(const ShapingCase& c, std::ostream* os) {
    *os << c.name;
}

class NeedsShapingTest : public ::testing::TestWithParam<ShapingCase> {};

TEST_P(NeedsShapingTest, OnlyWhereLettersJoinOrMarksStack) {
    const ShapingCase& c = GetParam();
    EXPECT_EQ(quendra::ui::needsShaping(QString::fromUtf8(c.text)), c.needsShaping) << c.text;
}

const ShapingCase kShapingCases[] = {
    {"Empty", "", false},
    {"AsciiPath", "/home/user/My Music/01 - Intro (live).wav", false},
    {"Numbers", "-X0 8.8717 128", false},
    {"PrecomposedAccents", "Ça va – Ångström, Ñandú, Nguyễn", false},
    {"GreekAndCyrillic", "Ελληνικά Русский", false},
    {"PunctuationAndSymbols", "\"quoted\" #1 % € © «»", false},
    {"Arabic", "مرحبا", true},
    {"ArabicAfterLatin", "track 1 - أغنية.wav", true},
    {"Hebrew", "שלום", true},
    {"Devanagari", "नमस्ते", true},
    {"Thai", "สวัสดี", true},
    {"Han", "音乐", true},
    {"CombiningAcute", "Cafe\xcc\x81", true},
    {"CombiningOnCyrillic", "и\xcc\x86", true},
    {"ZeroWidthJoiner",
     "a\xe2\x80\x8d"
     "b",
     true},
    {"SupplementaryPlaneLetter", "\xf0\x90\x8c\xb0", true},  // Gothic
    {"SupplementaryPlaneSymbol", "\xf0\x9f\x8e\xb5", false}, // a musical note, Common
};
INSTANTIATE_TEST_SUITE_P(Texts, NeedsShapingTest, ::testing::ValuesIn(kShapingCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
