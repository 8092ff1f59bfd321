#include "ChooserSettings.h"
#include "FormModel.h"
#include "Hints.h"
#include "Placements.h"
#include "Roles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quendra;
using namespace quendra::form;

namespace {

TEST(ChooserFilters, EachDescriptionKeepsItsPatternsAndEmptyPairsAreLeftOut) {
    using Pairs = std::vector<std::pair<std::string, std::vector<std::string>>>;
    const std::pair<const char*, Pairs> cases[] = {
        {"all supported files|*.wav;*.wave;*.aif;*.aiff;*.mp1;*.mpg;*.mp2;*.mp3|Wave files|*.wav;"
         "*.wave",
         {{"all supported files",
           {"*.wav", "*.wave", "*.aif", "*.aiff", "*.mp1", "*.mpg", "*.mp2", "*.mp3"}},
          {"Wave files", {"*.wav", "*.wave"}}}},
        {"MP3 files|*.mp3|all files|*", {{"MP3 files", {"*.mp3"}}, {"all files", {"*"}}}},
        {"a|*.x; *.y ;;*.z", {{"a", {"*.x", "*.y", "*.z"}}}},
        {"no patterns||b|*.b", {{"b", {"*.b"}}}},
        {"a|*.a|trailing description", {{"a", {"*.a"}}}},
        {"", {}},
    };
    for (const auto& [text, expected] : cases) {
        Pairs got;
        for (const FileFilter& f : filterPairs(text))
            got.emplace_back(f.description, f.patterns);
        EXPECT_EQ(got, expected) << text;
    }
}

// A shell makes the controls in the model's order, each inside its parent.
TEST(Placements, EachControlOfTheModelIsPlacedOnceOnTheWindowOrInAGroupBoxBeforeIt) {
    FormModel model;
    EXPECT_EQ(placements().size(), model.controls().size());
    std::vector<std::string> made;
    for (const ControlState& c : model.controls()) {
        const Placement* p = placementOf(c.name);
        ASSERT_NE(p, nullptr) << c.name;
        if (p->parent != control::Form1) {
            ASSERT_TRUE(model.has(p->parent)) << c.name;
            EXPECT_EQ(model.control(p->parent).kind, ControlKind::GroupBox) << c.name;
            EXPECT_NE(std::find(made.begin(), made.end(), p->parent), made.end()) << c.name;
        }
        made.push_back(c.name);
    }
    EXPECT_EQ(placementOf(control::CheckBox05)->parent, control::GroupBox1);
    EXPECT_EQ(placementOf(control::Label16)->parent, control::GroupBox2);
    EXPECT_EQ(placementOf(control::CheckBox17)->parent, control::GroupBox3);
    EXPECT_EQ(placementOf(control::CheckBox25)->parent, control::GroupBox4);
    EXPECT_EQ(placementOf(control::Edit01)->parent, control::Form1);
}

TEST(TabWalk, GoesByTabOrderAndWalksEachGroupBoxInPlace) {
    const std::vector<ControlName>& walk = tabWalk();
    const std::vector<ControlName> firstStops = {control::Edit01, control::Edit02, control::Edit03};
    EXPECT_TRUE(std::equal(firstStops.begin(), firstStops.end(), walk.begin()));
    const std::vector<ControlName> athGroupThenBandwidth = {
        control::TrackBar2,  control::Edit15,     control::CheckBox05, control::CheckBox06,
        control::CheckBox07, control::CheckBox08, control::ComboBox7,  control::Edit11};
    EXPECT_NE(std::search(walk.begin(), walk.end(), athGroupThenBandwidth.begin(),
                          athGroupThenBandwidth.end()),
              walk.end());
    EXPECT_EQ(walk.back(), control::CheckBox25);
    // Every working control that takes the focus is a stop once; labels and boxes never are.
    FormModel model;
    std::size_t focusable = 0;
    for (const ControlState& c : model.controls()) {
        const auto stops = std::count(walk.begin(), walk.end(), c.name);
        const bool takesFocus = c.kind != ControlKind::Label && c.kind != ControlKind::GroupBox;
        EXPECT_EQ(stops, takesFocus ? 1 : 0) << c.name;
        focusable += takesFocus;
    }
    EXPECT_EQ(walk.size(), focusable);
    EXPECT_EQ(initialFocus(model), control::Edit01);
}

TEST(Hints, AControlShowsItsOwnOrItsGroupsHintAndNoneWhileDisabled) {
    FormModel model;
    EXPECT_EQ(hintOwner(model, control::CheckBox17), control::GroupBox3);
    EXPECT_EQ(hintOwner(model, control::RadioGroup4), control::RadioGroup4);
    EXPECT_EQ(hintOwner(model, control::CheckBox05), control::CheckBox05);
    EXPECT_EQ(hintOwner(model, control::CheckBox09), ControlName());
    EXPECT_EQ(hintOwner(model, control::Edit01), ControlName());

    EXPECT_EQ(hintOver(model, control::CheckBox14), nullptr); // disabled at start
    model.setEnabled(control::CheckBox14, true);
    ASSERT_NE(hintOver(model, control::CheckBox14), nullptr);
    EXPECT_EQ(std::string(hintOver(model, control::CheckBox14)).rfind("Tells the encoder", 0), 0u);
}

TEST(AccessibleNames, FieldsAreNamedByTheCaptionBesideThem) {
    FormModel model;
    EXPECT_EQ(accessibleName(model, control::Edit01), "input file:");
    EXPECT_EQ(accessibleName(model, control::Edit07), "ID3 tags: additional info");
    EXPECT_EQ(accessibleName(model, control::ComboBox3), "bitrate:");
    EXPECT_EQ(accessibleName(model, control::ComboBox7), "use ATH:");
    EXPECT_EQ(accessibleName(model, control::CheckBox01), ""); // its own caption names it
    for (const Placement& p : placements()) {
        const ControlKind kind = model.control(p.name).kind;
        if (kind == ControlKind::Edit || kind == ControlKind::DropDown ||
            kind == ControlKind::Slider) {
            EXPECT_FALSE(accessibleName(model, p.name).empty()) << p.name;
        }
    }
}

// What the window shows beside a control and a screen reader would otherwise not say: which file
// a "..." button chooses, a field's unit, a slider's ends. No two stops that can show at the same
// time are told by the same name and role.
TEST(AccessibleNames, ButtonsUnitsAndSliderEndsAreSaidAsTheWindowShowsThem) {
    FormModel model;
    EXPECT_EQ(accessibleName(model, control::Button2), "select input file");
    EXPECT_EQ(accessibleName(model, control::Button3), "select output file");
    EXPECT_EQ(accessibleName(model, control::Button1), ""); // "Start encoding" says it
    EXPECT_EQ(accessibleName(model, control::Edit15), "lower the ATH by, dB");
    EXPECT_EQ(accessibleName(model, control::Edit11), "highpass filtering frequency:, kHz");
    EXPECT_EQ(accessibleName(model, control::Edit12), "width of highpass filtering:, kHz");
    EXPECT_EQ(accessibleName(model, control::Edit13), "lowpass filtering frequency:, kHz");
    EXPECT_EQ(accessibleName(model, control::Edit14), "width of lowpass filtering:, kHz");

    EXPECT_EQ(accessibleDescription(model, control::TrackBar1),
              "quality <> compression. Specifies the value of VBR quality.");
    EXPECT_EQ(accessibleDescription(model, control::TrackBar2)
                  .rfind("quality <> speed. Bitrate is of course the main influence", 0),
              0u);
    EXPECT_EQ(accessibleDescription(model, control::CheckBox02), "Turn on CRC error protection.");
    EXPECT_EQ(accessibleDescription(model, control::Edit01), "");

    std::vector<std::pair<std::string, ControlKind>> spoken;
    for (ControlName stop : tabWalk()) {
        const ControlState& c = model.control(stop);
        if (c.kind == ControlKind::RadioGroup || stop == control::ComboBox3 ||
            stop == control::ComboBox4) // a radio button says its own; one bitrate shows
            continue;
        const std::string name = accessibleName(model, stop);
        spoken.emplace_back(name.empty() ? c.caption : name, c.kind);
        EXPECT_FALSE(spoken.back().first.empty()) << stop;
    }
    for (const auto& told : spoken)
        EXPECT_EQ(std::count(spoken.begin(), spoken.end(), told), 1) << told.first;
}

TEST(AccessibleNames, ControlsStackWithEachNamingLabelJustBeforeItsControlAndTabStopsInWalkOrder) {
    FormModel model;
    EXPECT_EQ(namingLabel(model, control::Edit01), control::Label01);
    EXPECT_EQ(namingLabel(model, control::ComboBox2), control::Label04);
    EXPECT_EQ(namingLabel(model, control::ComboBox3), ControlName()); // the label names ComboBox2
    EXPECT_EQ(namingLabel(model, control::Edit03), ControlName());    // a placeholder's word added
    EXPECT_EQ(namingLabel(model, control::ComboBox7), ControlName()); // a check box names it
    EXPECT_EQ(namedBy(model, control::Label09), ControlName()); // it names fields with a word added

    const std::vector<ControlName> order = stackingOrder(model);
    ASSERT_EQ(order.size(), model.controls().size());
    std::vector<ControlName> stops;
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(std::count(order.begin(), order.end(), order[i]), 1) << order[i];
        const ControlName label = namingLabel(model, order[i]);
        if (!label.empty()) {
            ASSERT_GT(i, 0u);
            EXPECT_EQ(order[i - 1], label);
            EXPECT_EQ(namedBy(model, label), order[i]);
            EXPECT_EQ(model.control(label).caption, accessibleName(model, order[i]));
        }
        const ControlName parent = placementOf(order[i])->parent;
        if (parent != control::Form1) {
            EXPECT_LT(std::find(order.begin(), order.end(), parent) - order.begin(),
                      std::ptrdiff_t(i))
                << order[i];
        }
        if (std::find(tabWalk().begin(), tabWalk().end(), order[i]) != tabWalk().end())
            stops.push_back(order[i]);
    }
    EXPECT_EQ(stops, tabWalk());
}

TEST(Roles, EachChooserButtonFillsThePathFieldThatTakesDroppedFiles) {
    for (const ButtonRole& b : buttonRoles()) {
        if (b.action != ButtonAction::ChooseFile)
            continue;
        const ControlName field = chooserSettings(b.chooser).field;
        EXPECT_TRUE(takesDroppedFiles(field)) << b.button;
    }
    EXPECT_EQ(buttonRole(control::Button1).action, ButtonAction::StartEncoding);
    EXPECT_EQ(buttonRole(control::Button3).chooser, Chooser::OutputFile);
    EXPECT_EQ(buttonRole(control::Edit01).action, ButtonAction::None);
    EXPECT_EQ(chooserSettings(Chooser::InputFile).field, control::Edit01);
    EXPECT_EQ(chooserSettings(Chooser::OutputFile).field, control::Edit02);
    EXPECT_FALSE(takesDroppedFiles(control::Edit03));
}

} // namespace
