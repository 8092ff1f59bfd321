#include "Utf16.h"

#include <gtest/gtest.h>

using namespace quendra;

namespace {

TEST(Utf16, WellFormedTextGoesBothWaysUnchanged) {
    // One to four bytes: ASCII, é, ♫ and 𝄞 (a surrogate pair).
    const std::string utf8 = "a\xC3\xA9\xE2\x99\xAB\xF0\x9D\x84\x9E";
    const std::u16string utf16 = u"a\u00E9\u266B\U0001D11E";
    EXPECT_EQ(utf16From(utf8), utf16);
    EXPECT_EQ(utf8From(utf16), utf8);
    EXPECT_TRUE(isWellFormedUtf8(utf8));
    EXPECT_EQ(utf16From(""), u"");
}

TEST(Utf16, IllFormedUtf8BecomesOneReplacementForEachMaximalPart) {
    const std::pair<const char*, std::u16string> cases[] = {
        {"\x80z", u"\uFFFDz"},                             // a stray continuation byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // an overlong form
        {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},           // another
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // an encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // past U+10FFFF
        {"\xE2\x99z", u"\uFFFDz"},                         // cut short
        {"\xF0\x9D\x84", u"\uFFFD"},                       // cut off at the end
    };
    for (const auto& [utf8, utf16] : cases) {
        EXPECT_EQ(utf16From(utf8), utf16) << utf8;
        EXPECT_FALSE(isWellFormedUtf8(utf8)) << utf8;
    }
}

TEST(Utf16, ASurrogateWithoutItsPartnerBecomesAReplacement) {
    EXPECT_EQ(utf8From(u"a\xD834z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(utf8From(u"\xDD1E\xD834"), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

} // namespace
