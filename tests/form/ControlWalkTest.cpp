#include "ControlWalk.h"

#include "PlatformLine.h"
#include "RecordingLauncher.h"
#include "Roles.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

using namespace quendra;
using namespace quendra::form;
using Flag = ControlToolkit::Flag;

namespace {

// A toolkit that keeps what it is told, and reports input of its own wherever it is written to,
// as a toolkit's signals may.
class RecordingToolkit : public ControlToolkit {
public:
    std::vector<std::string> made;
    std::map<std::string, ControlName, std::less<>> parents;
    std::vector<std::string> dropTargets;
    std::map<std::string, std::string, std::less<>> names;
    std::map<std::pair<std::string, int>, ControlPlace> places;
    std::map<std::tuple<std::string, int, Flag>, bool> flags;
    std::map<std::pair<std::string, int>, bool> tabStops;
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, int, std::less<>> positions;
    std::map<std::string, PlatformLine, std::less<>> lines;
    int writes = 0;
    std::string chosen;
    std::vector<std::string> choosers;
    std::vector<std::string> failures;
    ControlWalk* walk = nullptr; // told of input at each write while set

    void make(const Making& m) override {
        const ControlState& c = m.control;
        made.emplace_back(c.name);
        parents[c.name] = m.parent;
        for (int i = Part::kWhole; i < int(c.kind == ControlKind::RadioGroup ? c.items.size() : 0);
             ++i)
            place({c.name, i}, m.placing({c.name, i}));
        if (m.takesDrops)
            dropTargets.emplace_back(c.name);
        if (m.accessible)
            names[std::string(c.name)] = m.accessible->name;
    }
    void makePicture(const PicturePlacement& p, const Placing& placing) override {
        made.emplace_back(p.name);
        place({p.name}, placing({p.name}));
    }
    void makeCreditLine(const CreditLine& c, const Placing& placing) override {
        made.emplace_back(c.name);
        place({c.name}, placing({c.name}));
    }
    // Each caption needs 10 pixels a character and a radio button's 100 more.
    int captionRoom(const Part&, ControlKind kind, const std::string& caption) override {
        return int(caption.size()) * 10 + (kind == ControlKind::RadioGroup ? 100 : 0);
    }
    void place(const Part& p, const ControlPlace& at) override {
        places[{std::string(p.control), p.button}] = at;
    }
    bool flag(const Part& p, Flag f) const override {
        const auto found = flags.find({std::string(p.control), p.button, f});
        return found != flags.end() && found->second;
    }
    void setFlag(const Part& p, Flag f, bool on) override {
        flags[{std::string(p.control), p.button, f}] = on;
        written();
    }
    void setTabStop(const Part& p, bool on) override {
        tabStops[{std::string(p.control), p.button}] = on;
    }
    std::string text(ControlName field) const override {
        const auto found = texts.find(field);
        return found == texts.end() ? std::string() : found->second;
    }
    void setText(ControlName field, const std::string& t) override {
        texts[std::string(field)] = t;
        written();
    }
    DropDownView& dropDown(ControlName d) override { return lines[std::string(d)]; }
    int position(ControlName slider) const override {
        const auto found = positions.find(slider);
        return found == positions.end() ? 0 : found->second;
    }
    void setPosition(ControlName slider, int p) override {
        positions[std::string(slider)] = p;
        written();
    }
    std::string chooseFile(const ChooserSettings& settings) override {
        choosers.push_back(settings.title);
        return chosen;
    }
    void tellStartFailed(const std::string& text) override { failures.push_back(text); }
    void followStartsIn(int) override { ++followsAsked; }
    int followsAsked = 0;

private:
    void written() {
        ++writes;
        if (!walk)
            return;
        walk->clicked({control::RadioGroup1, 2});
        walk->clicked({control::CheckBox09}); // shown unchecked until it is mirrored
    }
};

class ControlWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const ControlState& c : model.controls())
            toolkit.lines[c.name].items = c.items;
        toolkit.walk = &walk;
        walk.make(1.0);
        toolkit.walk = nullptr;
    }
    bool shows(ControlName control, Flag f, int button = Part::kWhole) const {
        return toolkit.flag({control, button}, f);
    }

    FormModel model;
    RecordingLauncher launcher;
    FormActions actions{model, launcher};
    RecordingToolkit toolkit;
    ControlWalk walk{model, actions, toolkit};
};

TEST_F(ControlWalkTest, MakesTheControlsInStackingOrderThenThePicturesAndCreditLines) {
    const std::vector<ControlName> order = stackingOrder(model);
    std::vector<std::string> expected(order.begin(), order.end());
    for (const PicturePlacement& p : pictures())
        expected.emplace_back(p.name);
    for (const CreditLine& c : creditLines())
        expected.emplace_back(c.name);
    EXPECT_EQ(toolkit.made, expected);
    EXPECT_EQ(toolkit.parents.at("Edit15"), control::GroupBox1);
    EXPECT_EQ(toolkit.dropTargets, (std::vector<std::string>{"Edit01", "Edit02"}));
    EXPECT_EQ(toolkit.names.at("Button2"), "select input file");
}

TEST_F(ControlWalkTest, PlacesEachPartInItsParentAndInTheWindowAtTheScale) {
    const auto at = [&](const char* control, int button = Part::kWhole) {
        return toolkit.places.at({control, button});
    };
    EXPECT_EQ(at("Edit15").inParent, (PixelRect{112, 96, 41, 21}));
    EXPECT_EQ(at("Edit15").inWindow, (PixelRect{296 + 112, 328 + 96, 41, 21}));
    const PixelRect vbr = radioButtonRects(81, 65, 3)[1];
    EXPECT_EQ(at("RadioGroup1", 1).inWindow,
              (PixelRect{144 + vbr.left, 216 + vbr.top, 100 + 3 * 10, vbr.height}));
    EXPECT_EQ(at("CheckBox01").inWindow.width, 7 * 10); // "enabled", grown to its caption

    walk.place(2.0);
    EXPECT_EQ(at("Edit15").inWindow, (PixelRect{2 * (296 + 112), 2 * (328 + 96), 82, 42}));
}

TEST_F(ControlWalkTest, ShowsTheModelAndThenWritesOnlyWhatDiffers) {
    EXPECT_FALSE(shows(control::Label15, Flag::Visible));
    EXPECT_TRUE(shows(control::Edit01, Flag::Visible));
    EXPECT_FALSE(shows(control::CheckBox10, Flag::Enabled));
    EXPECT_TRUE(shows(control::CheckBox09, Flag::Checked));
    EXPECT_EQ(toolkit.positions.at("TrackBar1"), model.position(control::TrackBar1));
    EXPECT_EQ(toolkit.lines.at("ComboBox1").line, "auto");
    // Tab enters a radio group at its checked button.
    const int checked = model.itemIndex(control::RadioGroup1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shows(control::RadioGroup1, Flag::Checked, i), i == checked) << i;
        EXPECT_EQ(toolkit.tabStops.at({"RadioGroup1", i}), i == checked) << i;
    }

    const int writes = toolkit.writes;
    model.tellAll([&](const std::string& name, Field field) { walk.mirror(name, field); });
    EXPECT_EQ(toolkit.writes, writes);
}

TEST_F(ControlWalkTest, WhatTheToolkitReportsWhileItIsWrittenToIsNoInput) {
    ASSERT_GT(toolkit.writes, 0);
    EXPECT_NE(model.itemIndex(control::RadioGroup1), 2);
    EXPECT_TRUE(model.checked(control::CheckBox09));
}

TEST_F(ControlWalkTest, ClicksReadTheToolkitAndRunTheRules) {
    toolkit.setFlag({control::CheckBox09}, Flag::Checked, false);
    walk.clicked({control::CheckBox09});
    EXPECT_FALSE(model.checked(control::CheckBox09));
    EXPECT_TRUE(shows(control::CheckBox10, Flag::Enabled));

    walk.clicked({control::RadioGroup1, 1});
    EXPECT_EQ(model.itemIndex(control::RadioGroup1), 1);
    EXPECT_TRUE(toolkit.tabStops.at({"RadioGroup1", 1}));
    EXPECT_FALSE(toolkit.tabStops.at({"RadioGroup1", 0}));

    walk.moved(control::TrackBar2);
    EXPECT_EQ(model.position(control::TrackBar2), toolkit.position(control::TrackBar2));
}

TEST_F(ControlWalkTest, ButtonsDoTheirRoles) {
    walk.clicked({control::Button1});
    launcher.result = {false, "stand-in", {}};
    walk.clicked({control::Button1});
    EXPECT_EQ(launcher.lines.size(), 2u);
    EXPECT_EQ(toolkit.failures, (std::vector<std::string>{launchFailureMessage(launcher.result)}));

    walk.clicked({control::Button3}); // cancelled
    EXPECT_EQ(model.text(control::Edit02), "");
    toolkit.chosen = "in.wav";
    walk.clicked({control::Button2});
    EXPECT_EQ(toolkit.choosers,
              (std::vector<std::string>{"select output file", "select input file"}));
    EXPECT_EQ(model.text(control::Edit01), "in.wav");
}

TEST_F(ControlWalkTest, APendingStartIsFollowedUntilDecidedAndOnlyAFailureIsTold) {
    launcher.result = {false, {}, {}, true};
    walk.clicked({control::Button1});
    walk.clicked({control::Button1});
    EXPECT_EQ(toolkit.followsAsked, 1) << "one call back at a time";
    walk.startsFollowed(); // nothing decided yet
    EXPECT_EQ(toolkit.followsAsked, 2);
    EXPECT_TRUE(toolkit.failures.empty());

    const LaunchResult failed{false, "no terminal took it", {"/opt/quendra"}, false};
    launcher.decided = {failed, {true, {}, {}, false}};
    walk.startsFollowed();
    EXPECT_EQ(toolkit.failures, std::vector<std::string>{launchFailureMessage(failed)});
    EXPECT_EQ(toolkit.followsAsked, 2) << "nothing is pending any more";
}

TEST_F(ControlWalkTest, AnEditIsStoredOnlyWhereItChangedTheText) {
    toolkit.texts["Edit05"] = "album";
    walk.edited(control::Edit05);
    EXPECT_EQ(model.text(control::Edit05), "album");

    walk.picked(control::ComboBox1, 5);
    walk.edited(control::ComboBox1); // the line shows the model's text
    EXPECT_EQ(model.currentEntry(control::ComboBox1), 5);
    toolkit.lines["ComboBox1"].line = "44";
    walk.edited(control::ComboBox1);
    EXPECT_EQ(model.text(control::ComboBox1), "44");
    EXPECT_EQ(model.currentEntry(control::ComboBox1), -1);
}

TEST_F(ControlWalkTest, TypingIsCharactersAPersonTypesTakenOneAtATime) {
    PlatformLine& line = toolkit.lines["ComboBox1"];
    line.selected = {0, 4, 4}; // "auto" selected
    for (const char* control : {"\x01", "\x7F", "\xC2\x85", ""})
        EXPECT_FALSE(walk.typed(control::ComboBox1, control));
    EXPECT_EQ(model.text(control::ComboBox1), "auto");

    EXPECT_TRUE(walk.typed(control::ComboBox1, "22"));
    EXPECT_EQ(model.text(control::ComboBox1), "22.05 kHz");
    EXPECT_EQ(line.line, "22.05 kHz");
    walk.backspace(control::ComboBox1);
    EXPECT_EQ(model.text(control::ComboBox1), "22");
}

TEST_F(ControlWalkTest, OnlyADropOfExactlyOneFileOnAPathFieldIsTaken) {
    EXPECT_TRUE(walk.takesDrop(control::Edit01, {"a.wav"}));
    EXPECT_FALSE(walk.takesDrop(control::Edit01, {"a.wav", "b.wav"}));
    EXPECT_FALSE(walk.takesDrop(control::Edit01, {""})); // no local file
    EXPECT_FALSE(walk.takesDrop(control::Edit01, {}));
    EXPECT_FALSE(walk.takesDrop(control::Edit03, {"a.wav"}));

    walk.dropped(control::Edit02, {"a.mp3", "b.mp3"});
    EXPECT_EQ(model.text(control::Edit02), "");
    walk.dropped(control::Edit02, {"out.mp3"});
    EXPECT_EQ(model.text(control::Edit02), "out.mp3");
}

} // namespace
