#include "DropDownInput.h"

#include <QString>

#include <gtest/gtest.h>

using namespace quendra::ui;

namespace {

struct OffsetCase {
    const char* name;
    const char* utf8;
    int utf16;
    std::size_t bytes;
};

void PrintTo(const OffsetCase& c, std::ostream* os) {
    *os << c.name;
}

class TextOffsetTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(TextOffsetTest, ConvertsBothWays) {
    const OffsetCase& c = GetParam();
    const QString text = QString::fromUtf8(c.utf8);
    EXPECT_EQ(utf8Offset(text, c.utf16), c.bytes);
    EXPECT_EQ(utf16Offset(c.utf8, c.bytes), c.utf16);
}

const OffsetCase kOffsets[] = {
    {"AsciiIsOneToOne", "44.1 kHz", 2, 2},
    {"StartOfText", "auto", 0, 0},
    {"EndOfText", "auto", 4, 4},
    {"TwoByteLetter", "B\xC3\xA4r", 2, 3},
    {"FourByteCharacterIsTwoUnits", "\xF0\x9D\x84\x9Ex", 2, 4},
    {"AfterAFourByteCharacter", "\xF0\x9D\x84\x9Ex", 3, 5},
};
INSTANTIATE_TEST_SUITE_P(Utf8, TextOffsetTest, ::testing::ValuesIn(kOffsets),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextOffset, ByteOffsetsPastTheEndStopAtTheEnd) {
    EXPECT_EQ(utf16Offset("auto", 99), 4);
    EXPECT_EQ(utf8Offset(QStringLiteral("auto"), 99), 4u);
}

} // namespace
