#include "DropDownView.h"

#include "EventWiring.h"
#include "FormModel.h"
#include "PlatformLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quendra;

namespace {

TEST(DropDownView, TheModelsTextWinsAndTheSelectionStaysOnlyWhereTheTextStays) {
    PlatformLine view;
    view.line = "48 kHz";
    view.selected = {0, 2, 0};
    view.mirror("48 kHz", 1); // only the entry changed: the line rewrote itself
    EXPECT_EQ(view.line, "48 kHz");
    EXPECT_EQ(view.selected, (TextSelection{0, 2, 0}));

    view.mirror("4", -1); // the text changed: the platform's caret stands
    EXPECT_EQ(view.line, "4");
    EXPECT_EQ(view.entry, -1);
    EXPECT_EQ(view.selected, (TextSelection{1, 0, 1}));

    view.mirror("44", 0); // the entry's text is not the model's: the model's text is shown
    EXPECT_EQ(view.line, "44");
    EXPECT_EQ(view.entry, 0);
}

TEST(DropDownView, AnEditsOutcomeIsShownWithItsSelection) {
    PlatformLine view;
    view.line = "4";
    view.show({"44.1 kHz", {1, 7, 8}, 0}); // a completion: the rest selected
    EXPECT_EQ(view.line, "44.1 kHz");
    EXPECT_EQ(view.entry, 0);
    EXPECT_EQ(view.selected, (TextSelection{1, 7, 8}));
}

// A window shows as current the entry whose text it shows, so that Down moves on from there; the
// model keeps its own current entry, which decides whether typing reports a change.
TEST(DropDownView, TheEntryShownAsCurrentIsTheOneWhoseTextIsShown) {
    FormModel model;
    EventWiring wiring(model);
    const auto shown = [&model](ControlName dropDown) {
        PlatformLine view;
        view.items = model.control(dropDown).items;
        view.mirror(model.control(dropDown));
        return view.entry;
    };
    EXPECT_EQ(shown(control::ComboBox1), 0); // "auto", at start with no entry current
    EXPECT_EQ(model.currentEntry(control::ComboBox1), -1);
    EXPECT_EQ(shown(control::ComboBox6), 0);  // "-X0"
    EXPECT_EQ(shown(control::ComboBox5), -1); // "<genre>" is no genre

    // A completion in the person's letter case shows its entry; a text that is none, none.
    EXPECT_EQ(wiring.keyTyped(control::ComboBox1, {0, 4, 4}, "A").currentEntry, 0);
    EXPECT_EQ(wiring.keyTyped(control::ComboBox1, {0, 4, 4}, "8").currentEntry, -1);
    // Backspace leaves no entry current, but the text it leaves is one.
    wiring.textChanged(control::ComboBox1, "16 kHzz");
    EXPECT_EQ(wiring.backspacePressed(control::ComboBox1, {7, 0, 7}).currentEntry, 1);
    EXPECT_EQ(model.currentEntry(control::ComboBox1), -1);
    EXPECT_EQ(shown(control::ComboBox1), 1);
    // A rule's reset to "auto".
    wiring.itemIndexChanged(control::RadioGroup1, 1);
    EXPECT_EQ(shown(control::ComboBox1), 0);
}

} // namespace
