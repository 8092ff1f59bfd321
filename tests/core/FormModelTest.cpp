#include "FormModel.h"
#include "ControlTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace quendra;

namespace {

struct Notice {
    std::string name;
    Field field;
    bool operator==(const Notice& o) const { return name == o.name && field == o.field; }
};

class FormModelTest : public ::testing::Test {
protected:
    FormModelTest() { model.subscribe(recorder()); }
    FormModel::Listener recorder() {
        return [this](const std::string& name, Field field) { notices.push_back({name, field}); };
    }
    FormModel model;
    std::vector<Notice> notices;
};

TEST_F(FormModelTest, TellsEveryFieldOfEveryControlWhatIsShownFirst) {
    model.tellAll(recorder());
    ASSERT_EQ(notices.size(), model.controls().size() * 7);
    EXPECT_EQ(notices.front().name, model.controls().front().name);
    EXPECT_EQ(notices.front().field, Field::Visible);
    EXPECT_EQ(notices[1].field, Field::Enabled);
    std::set<std::pair<std::string, Field>> distinct;
    for (const Notice& n : notices)
        distinct.insert({n.name, n.field});
    EXPECT_EQ(distinct.size(), notices.size());
}

TEST_F(FormModelTest, StartsWithTheInitialTexts) {
    const std::pair<const char*, const char*> expected[] = {
        {"ComboBox1", "auto"},
        {"ComboBox2", "auto"},
        {"ComboBox3", "auto"},
        {"ComboBox4", "auto"},
        {"ComboBox7", "auto"},
        {"Edit13", "auto"},
        {"Edit14", "auto"},
        {"ComboBox6", "-X0"},
        {"Edit09", "1"},
        {"Edit10", "8.8717"},
        {"Edit01", ""},
        {"Edit02", ""},
        {"Edit11", ""},
        {"Edit12", ""},
        {"Edit15", ""},
        {"Edit03", "<title>"},
        {"Edit04", "<artist>"},
        {"Edit05", "<album>"},
        {"Edit06", "<year>"},
        {"Edit07", "<additional info>"},
        {"Edit08", "<track number>"},
        {"ComboBox5", "<genre>"},
    };
    for (const auto& [name, text] : expected)
        EXPECT_EQ(model.text(name), text) << name;
}

TEST_F(FormModelTest, StartsWithTheOddFlagsOfTheBandwidthAndAthGroups) {
    EXPECT_TRUE(model.checked("CheckBox12"));
    EXPECT_FALSE(model.enabled("CheckBox12"));
    EXPECT_TRUE(model.checked("CheckBox13"));
    EXPECT_FALSE(model.enabled("CheckBox13"));
    for (const char* label : {"Label15", "Label16"}) {
        EXPECT_FALSE(model.visible(label)) << label;
        EXPECT_TRUE(model.enabled(label)) << label;
    }
    for (const char* label : {"Label13", "Label14"}) {
        EXPECT_TRUE(model.visible(label)) << label;
        EXPECT_FALSE(model.enabled(label)) << label;
    }
    EXPECT_TRUE(model.enabled("Edit15"));
    EXPECT_FALSE(model.checked("CheckBox08"));
    EXPECT_FALSE(model.enabled("Edit10"));
    EXPECT_FALSE(model.enabled("Label11"));
}

TEST_F(FormModelTest, StartsWithOnlyTheCbrControlsOfTheBitrateAreaVisible) {
    for (const char* hidden : {"ComboBox2", "ComboBox3", "Label05", "Label06", "TrackBar1"})
        EXPECT_FALSE(model.visible(hidden)) << hidden;
    for (const char* shown : {"ComboBox4", "Label04", "ComboBox1", "TrackBar2"})
        EXPECT_TRUE(model.visible(shown)) << shown;
}

TEST_F(FormModelTest, StartsWithTheInitialCheckStates) {
    const char* checkedBoxes[] = {"CheckBox05", "CheckBox09", "CheckBox12",
                                  "CheckBox13", "CheckBox20", "CheckBox21",
                                  "CheckBox22", "CheckBox24", "CheckBox25"};
    for (const ControlState& c : model.controls()) {
        if (c.kind != ControlKind::CheckBox)
            continue;
        const bool expected =
            std::find_if(std::begin(checkedBoxes), std::end(checkedBoxes),
                         [&](const char* n) { return c.name == n; }) != std::end(checkedBoxes);
        EXPECT_EQ(c.checked, expected) << c.name;
    }
}

TEST_F(FormModelTest, HoldsEveryListAndRange) {
    EXPECT_EQ(model.control("ComboBox2").items.size(), 15u);
    EXPECT_EQ(model.control("ComboBox3").items.size(), 15u);
    EXPECT_EQ(model.control("ComboBox4").items.size(), 19u);
    EXPECT_EQ(model.control("ComboBox2").items.back(), "320");
    EXPECT_EQ(model.control("ComboBox3").items.back(), "160");
    EXPECT_EQ(model.control("ComboBox4").items[14], "160");
    EXPECT_EQ(model.control("ComboBox6").items.size(), 8u);
    EXPECT_EQ(model.control("ComboBox7").items, (std::vector<std::string>{"auto", "0", "1", "2"}));

    const auto& genres = model.control("ComboBox5").items;
    ASSERT_EQ(genres.size(), 147u);
    EXPECT_EQ(genres.front(), "Blues");
    EXPECT_EQ(genres[41], "Bass");
    EXPECT_EQ(genres[42], "Punk"); // genre 42 is left out, so Punk moves up one
    EXPECT_EQ(genres.back(), "SynthPop");
    EXPECT_EQ(std::count(genres.begin(), genres.end(), "Soul"), 0);

    EXPECT_EQ(model.itemIndex("RadioGroup1"), 0);
    EXPECT_EQ(model.itemIndex("RadioGroup2"), 0);
    EXPECT_EQ(model.itemIndex("RadioGroup3"), 0);
    EXPECT_EQ(model.itemIndex("RadioGroup4"), 1);
    EXPECT_EQ(model.control("RadioGroup2").items.size(), 6u);
    EXPECT_EQ(model.position("TrackBar1"), 4);
    EXPECT_EQ(model.position("TrackBar2"), 2);
    EXPECT_EQ(model.control("TrackBar1").maximum, 9);

    EXPECT_EQ(model.currentEntry("ComboBox2"), 0);
    for (const char* box :
         {"ComboBox1", "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6", "ComboBox7"})
        EXPECT_EQ(model.currentEntry(box), -1) << box;
}

TEST_F(FormModelTest, TwoModelsStartIdentical) {
    FormModel other;
    model.setText("Edit01", "changed");
    FormModel fresh;
    ASSERT_EQ(other.controls().size(), fresh.controls().size());
    for (std::size_t i = 0; i < fresh.controls().size(); ++i)
        EXPECT_EQ(other.controls()[i].text, fresh.controls()[i].text);
}

TEST_F(FormModelTest, AWriteNotifiesOnceAndAnEqualWriteNotAtAll) {
    model.setText("Edit01", "a.wav");
    model.setText("Edit01", "a.wav");
    model.setChecked("CheckBox02", true);
    model.setChecked("CheckBox02", true);
    model.setEnabled("Edit01", false);
    model.setVisible("Edit01", false);
    model.setItemIndex("RadioGroup2", 3);
    model.setPosition("TrackBar2", 7);
    model.setPosition("TrackBar2", 7);
    EXPECT_EQ(notices, (std::vector<Notice>{{"Edit01", Field::Text},
                                            {"CheckBox02", Field::Checked},
                                            {"Edit01", Field::Enabled},
                                            {"Edit01", Field::Visible},
                                            {"RadioGroup2", Field::ItemIndex},
                                            {"TrackBar2", Field::Position}}));
}

TEST_F(FormModelTest, ADisabledOrHiddenControlKeepsItsValue) {
    model.setText("Edit03", "My Title");
    EXPECT_EQ(model.text("Edit03"), "My Title");
    model.setVisible("ComboBox4", false);
    EXPECT_EQ(model.text("ComboBox4"), "auto");
}

TEST_F(FormModelTest, ADropDownTextSetInCodeMakesTheEqualEntryCurrent) {
    model.setText("ComboBox1", "44.1 kHz");
    EXPECT_EQ(model.currentEntry("ComboBox1"), 5);
    model.setText("ComboBox1", "44.1 khz");
    EXPECT_EQ(model.currentEntry("ComboBox1"), -1);
    EXPECT_EQ(notices.back(), (Notice{"ComboBox1", Field::CurrentEntry}));
}

TEST_F(FormModelTest, SliderPositionsStayInRange) {
    model.setPosition("TrackBar1", 42);
    EXPECT_EQ(model.position("TrackBar1"), 9);
    model.setPosition("TrackBar1", -3);
    EXPECT_EQ(model.position("TrackBar1"), 0);
}

TEST_F(FormModelTest, UnknownNamesAndWrongKindsFailLoudly) {
    try {
        model.text("Edit16");
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("Edit16"), std::string::npos);
    }
    EXPECT_THROW(model.setChecked("Edit01", true), std::logic_error);
    EXPECT_THROW(model.setText("CheckBox01", "x"), std::logic_error);
    EXPECT_THROW(model.setItemIndex("RadioGroup1", 3), std::out_of_range);
    EXPECT_THROW(model.setDropDown("ComboBox1", "x", 7), std::out_of_range);
    EXPECT_FALSE(model.has("Image1")); // decoration is not part of the model
    EXPECT_TRUE(notices.empty());
}

} // namespace
