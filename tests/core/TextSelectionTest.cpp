#include "TextSelection.h"

#include <gtest/gtest.h>

#include <string>

using namespace quendra;

namespace {

struct OffsetCase {
    const char* name;
    const char* utf8;
    const char16_t* text16;
    std::size_t utf16;
    std::size_t bytes;
};

void PrintTo(const OffsetCase& c, std::ostream* os) {
    *os << c.name;
}

class TextOffsetTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(TextOffsetTest, ConvertsBothWays) {
    const OffsetCase& c = GetParam();
    EXPECT_EQ(utf8Offset(c.text16, c.utf16), c.bytes);
    EXPECT_EQ(utf16Offset(c.utf8, c.bytes), c.utf16);
}

const OffsetCase kOffsets[] = {
    {"AsciiIsOneToOne", "44.1 kHz", u"44.1 kHz", 2, 2},
    {"StartOfText", "auto", u"auto", 0, 0},
    {"EndOfText", "auto", u"auto", 4, 4},
    {"TwoByteLetter", "B\xC3\xA4r", u"B\u00E4r", 2, 3},
    {"ThreeByteCharacter",
     "\xE2\x82\xAC"
     "1",
     u"\u20AC1", 1, 3},
    {"FourByteCharacterIsTwoUnits", "\xF0\x9D\x84\x9Ex", u"\U0001D11Ex", 2, 4},
    {"AfterAFourByteCharacter", "\xF0\x9D\x84\x9Ex", u"\U0001D11Ex", 3, 5},
};
INSTANTIATE_TEST_SUITE_P(Utf8, TextOffsetTest, ::testing::ValuesIn(kOffsets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextOffset, ByteOffsetsPastTheEndStopAtTheEnd) {
    EXPECT_EQ(utf16Offset("auto", 99), 4u);
    EXPECT_EQ(utf8Offset(u"auto", 99), 4u);
}

// A selection drawn backwards keeps its caret at the front in both encodings, and a platform
// line is given its anchor and caret ends.
TEST(TextSelection, ConvertsWithItsDirectionBetweenEncodings) {
    const std::string text = "B\xC3\xA4r \xF0\x9D\x84\x9E!";
    const TextSelection backwards{1, 8, 1}; // "är 𝄞" from its end to its front
    const TextSelection inUtf16 = toUtf16(text, backwards);
    EXPECT_EQ(inUtf16, (TextSelection{1, 5, 1}));
    EXPECT_EQ(inUtf16.anchor(), 6u);
    EXPECT_EQ(inUtf16.active(), 1u);
    EXPECT_EQ(toUtf8(u"B\u00E4r \U0001D11E!", inUtf16), backwards);
    const TextSelection forwards{1, 5, 6};
    EXPECT_EQ(forwards.anchor(), 1u);
    EXPECT_EQ(forwards.active(), 6u);
    EXPECT_EQ((TextSelection{4, 0, 2}).anchor(), 2u); // nothing selected: only the caret counts
}

} // namespace
