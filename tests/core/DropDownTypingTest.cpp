#include "DropDownTyping.h"

#include <gtest/gtest.h>

using namespace quendra;

namespace {

const std::vector<std::string> kRates = {"auto",   "16 kHz",   "22.05 kHz", "24 kHz",
                                         "32 kHz", "44.1 kHz", "48 kHz"};

DropDownEdit allSelected(const std::string& text, int entry) {
    return DropDownEdit{text, {0, text.size(), text.size()}, entry};
}

DropDownEdit caretAt(const std::string& text, std::size_t caret, int entry = -1) {
    return DropDownEdit{text, {caret, 0, caret}, entry};
}

struct TypeCase {
    const char* name;
    DropDownEdit before;
    const char* key;
    std::string text;
    std::size_t selectionStart;
    std::size_t selectionLength;
    int entry;
    bool reported;
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.name;
}

class DropDownTypingTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DropDownTypingTest, CompletesOrInserts) {
    const TypeCase& c = GetParam();
    const DropDownOutcome out = DropDownTyping::type(kRates, c.before, c.key);
    EXPECT_EQ(out.edit.text, c.text);
    EXPECT_EQ(out.edit.selection.start, c.selectionStart);
    EXPECT_EQ(out.edit.selection.length, c.selectionLength);
    EXPECT_EQ(out.edit.currentEntry, c.entry);
    EXPECT_EQ(out.changeReported, c.reported);
    EXPECT_LE(out.edit.selection.caret, out.edit.text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Typing, DropDownTypingTest,
    ::testing::Values(
        TypeCase{"FourCompletes44", allSelected("auto", -1), "4", "44.1 kHz", 1, 7, 5, true},
        TypeCase{"TwoTakesTheFirstMatchFromTheTop", allSelected("auto", -1), "2", "22.05 kHz", 1, 8,
                 2, true},
        TypeCase{"CapitalAKeepsItsCase", allSelected("auto", -1), "A", "Auto", 1, 3, 0, true},
        TypeCase{"SameEntryAgainReportsNothing", allSelected("44.1 kHz", 5), "4", "44.1 kHz", 1, 7,
                 5, false},
        TypeCase{"EightMatchesNothingAndReplacesTheSelection", allSelected("auto", 0), "8", "8", 1,
                 0, -1, true},
        TypeCase{"TypedPartIsTheTextBeforeTheSelection", DropDownEdit{"44.1 kHz", {1, 7, 8}, 5},
                 "8", "48 kHz", 2, 4, 6, true},
        TypeCase{"SecondKeyNarrowsTheMatch", DropDownEdit{"22.05 kHz", {1, 8, 9}, 2}, "4", "24 kHz",
                 2, 4, 3, true},
        TypeCase{"WithoutSelectionTheWholeTextIsTyped", caretAt("1", 1), "6", "16 kHz", 2, 4, 1,
                 true},
        TypeCase{"CaseInsensitiveKeepingTheUsersCase", caretAt("AU", 2), "T", "AUTo", 3, 1, 0,
                 true},
        TypeCase{"NoMatchInsertsAtTheCaret", caretAt("abc", 1), "x", "axbc", 2, 0, -1, true},
        TypeCase{"NoMatchAfterACompletionEndsTheEntry", DropDownEdit{"44.1 kHz", {1, 7, 8}, 5}, "x",
                 "4x", 2, 0, -1, true},
        TypeCase{"MultiByteCharacterIsInsertedWhole", allSelected("auto", 0), "é", "é", 2, 0, -1,
                 true},
        TypeCase{"SelectionBeyondTheTextIsClamped", DropDownEdit{"ab", {1, 99, 99}, -1}, "c", "ac",
                 2, 0, -1, true},
        TypeCase{"SelectionStartBeyondTheTextTypesTheWholeText", DropDownEdit{"4", {50, 3, 50}, -1},
                 "4", "44.1 kHz", 2, 6, 5, true}));

TEST(DropDownBackspace, DeletesTheSelectionAndEndsTheEntry) {
    const DropDownOutcome out =
        DropDownTyping::backspace(kRates, DropDownEdit{"44.1 kHz", {1, 7, 8}, 5});
    EXPECT_EQ(out.edit.text, "4");
    EXPECT_EQ(out.edit.selection.caret, 1u);
    EXPECT_EQ(out.edit.selection.length, 0u);
    EXPECT_EQ(out.edit.currentEntry, -1);
    EXPECT_TRUE(out.changeReported);
}

TEST(DropDownBackspace, DeletesTheWholeCharacterBeforeTheCaret) {
    const DropDownOutcome out = DropDownTyping::backspace(kRates, caretAt("aé", 3));
    EXPECT_EQ(out.edit.text, "a");
    EXPECT_EQ(out.edit.selection.caret, 1u);
}

TEST(DropDownBackspace, AtTheStartChangesNothingButStillReports) {
    const DropDownOutcome out = DropDownTyping::backspace(kRates, caretAt("auto", 0, 0));
    EXPECT_EQ(out.edit.text, "auto");
    EXPECT_EQ(out.edit.currentEntry, -1);
    EXPECT_TRUE(out.changeReported);
}

TEST(DropDownBackspace, ACaretInsideACharacterStandsAtItsStart) {
    const DropDownOutcome out = DropDownTyping::backspace(kRates, caretAt("xéy", 2));
    EXPECT_EQ(out.edit.text, "éy");
}

TEST(DropDownPick, MakesTheEntryCurrentAndAlwaysReports) {
    const DropDownOutcome out = DropDownTyping::pick(kRates, allSelected("24 kHz", 3), 3);
    EXPECT_EQ(out.edit.text, "24 kHz");
    EXPECT_EQ(out.edit.currentEntry, 3);
    EXPECT_TRUE(out.changeReported);
    EXPECT_EQ(out.edit.selection.length, out.edit.text.size());
}

TEST(DropDownPick, AnIndexOutsideTheListChangesNothing) {
    const DropDownOutcome out = DropDownTyping::pick(kRates, caretAt("x", 1), 7);
    EXPECT_EQ(out.edit.text, "x");
    EXPECT_FALSE(out.changeReported);
}

} // namespace
