#include "CouplingRules.h"
#include "EventWiring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

using namespace quendra;

namespace {

// Drives the model as the window does, and records which controls each action touched.
class CouplingRulesTest : public ::testing::Test {
protected:
    CouplingRulesTest() : wiring(model) {
        model.subscribe([this](const std::string& name, Field) { touched.insert(name); });
    }

    void click(const char* box) {
        touched.clear();
        wiring.checkedChanged(box, !model.checked(box));
    }
    void mode(int index) {
        touched.clear();
        wiring.itemIndexChanged("RadioGroup1", index);
    }
    void pickRate(const char* text) {
        touched.clear();
        const auto& items = model.control("ComboBox1").items;
        const int index =
            static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin());
        wiring.entryPicked("ComboBox1", index);
    }
    void typeRate(const char* key) {
        touched.clear();
        const std::size_t size = model.text("ComboBox1").size();
        wiring.keyTyped("ComboBox1", {0, size, size}, key);
    }

    void expectEnabled(std::initializer_list<const char*> names, bool enabled) {
        for (const char* name : names)
            EXPECT_EQ(model.enabled(name), enabled) << name;
    }
    void expectChecked(std::initializer_list<const char*> names, bool checked) {
        for (const char* name : names)
            EXPECT_EQ(model.checked(name), checked) << name;
    }
    void expectVisible(std::initializer_list<const char*> names, bool visible) {
        for (const char* name : names)
            EXPECT_EQ(model.visible(name), visible) << name;
    }
    void expectTouchedOnly(std::set<std::string> allowed) {
        for (const std::string& name : touched)
            EXPECT_TRUE(allowed.count(name)) << name << " was changed";
    }

    FormModel model;
    EventWiring wiring;
    std::set<std::string> touched;
};

const std::set<std::string> kTagControls = {"CheckBox01", "Edit03", "Edit04", "Edit05",
                                            "Edit06",     "Edit07", "Edit08", "ComboBox5"};

TEST_F(CouplingRulesTest, TagsSwitchTheSevenFieldsAndKeepTheirTexts) {
    click("CheckBox01");
    expectEnabled({"Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "ComboBox5"}, true);
    expectTouchedOnly(kTagControls);
    model.setText("Edit03", "My Song");
    click("CheckBox01");
    expectEnabled({"Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "ComboBox5"}, false);
    click("CheckBox01");
    EXPECT_EQ(model.text("Edit03"), "My Song");
    EXPECT_EQ(model.text("ComboBox5"), "<genre>");
}

const std::set<std::string> kAthControls = {"CheckBox05", "CheckBox06", "CheckBox07", "CheckBox08",
                                            "ComboBox7",  "Edit15",     "Label17"};

TEST_F(CouplingRulesTest, AthOffDisablesAndUnchecksItsGroup) {
    click("CheckBox06");
    EXPECT_TRUE(model.checked("CheckBox07"));
    EXPECT_FALSE(model.enabled("CheckBox07"));
    click("CheckBox08");
    model.setText("Edit15", "4");
    click("CheckBox05");
    expectChecked({"CheckBox06", "CheckBox07", "CheckBox08"}, false);
    expectEnabled({"CheckBox06", "CheckBox07", "CheckBox08", "ComboBox7", "Edit15", "Label17"},
                  false);
    expectTouchedOnly(kAthControls);
    EXPECT_EQ(model.text("Edit15"), "4");

    click("CheckBox05");
    expectEnabled({"CheckBox06", "CheckBox07", "CheckBox08", "ComboBox7", "Edit15", "Label17"},
                  true);
    expectChecked({"CheckBox06", "CheckBox07", "CheckBox08"}, false);
}

TEST_F(CouplingRulesTest, AthOnlyPinsTheShortBlockBox) {
    click("CheckBox06");
    EXPECT_TRUE(model.checked("CheckBox07"));
    EXPECT_FALSE(model.enabled("CheckBox07"));
    expectTouchedOnly({"CheckBox06", "CheckBox07"});
    click("CheckBox06");
    EXPECT_FALSE(model.checked("CheckBox07"));
    EXPECT_TRUE(model.enabled("CheckBox07"));
}

TEST_F(CouplingRulesTest, LoweringTheAthDoesNotGovernItsField) {
    click("CheckBox08");
    click("CheckBox08");
    EXPECT_TRUE(model.enabled("Edit15"));
    expectTouchedOnly({"CheckBox08"});
}

const std::set<std::string> kBandwidthControls = {
    "CheckBox09", "CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14", "Edit11",
    "Edit12",     "Edit13",     "Edit14",     "Label13",    "Label14",    "Label15",    "Label16"};

TEST_F(CouplingRulesTest, ManualBandwidthOffersTheFiveFilterBoxes) {
    model.setText("Edit11", "0.1");
    click("CheckBox09");
    expectEnabled({"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"}, true);
    expectChecked({"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"}, false);
    expectEnabled({"Edit11", "Edit12", "Edit13", "Edit14"}, false);
    EXPECT_EQ(model.text("Edit13"), "");
    EXPECT_EQ(model.text("Edit14"), "");
    EXPECT_EQ(model.text("Edit11"), "0.1");
    expectEnabled({"Label13", "Label14", "Label15", "Label16"}, false);
    expectVisible({"Label15", "Label16"}, true);
    expectTouchedOnly(kBandwidthControls);
}

TEST_F(CouplingRulesTest, AutomaticBandwidthAfterFullBandwidthDisablesAllFive) {
    click("CheckBox09");
    click("CheckBox14");
    click("CheckBox09");
    expectEnabled({"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"}, false);
    expectChecked({"CheckBox10", "CheckBox11", "CheckBox14"}, false);
    expectChecked({"CheckBox12", "CheckBox13"}, true);
    EXPECT_EQ(model.text("Edit13"), "auto");
    EXPECT_EQ(model.text("Edit14"), "auto");
    expectEnabled({"Edit11", "Edit12", "Edit13", "Edit14", "Label13", "Label14"}, false);
    expectVisible({"Label15", "Label16"}, false);
    expectTouchedOnly(kBandwidthControls);
}

TEST_F(CouplingRulesTest, AutomaticBandwidthAfterCheckedFiltersDisablesTheirFields) {
    click("CheckBox09");
    click("CheckBox10");
    click("CheckBox12");
    model.setText("Edit12", "0.2");
    click("CheckBox09");
    expectEnabled({"Edit11", "Edit12", "Edit13", "Edit14", "Label13", "Label14"}, false);
    expectChecked({"CheckBox10"}, false);
    EXPECT_EQ(model.text("Edit12"), "0.2");
}

TEST_F(CouplingRulesTest, EachFilterBoxSwitchesItsFieldAndLabel) {
    click("CheckBox09");
    const std::tuple<const char*, const char*, const char*> filters[] = {
        {"CheckBox10", "Edit11", "Label13"},
        {"CheckBox11", "Edit12", "Label14"},
        {"CheckBox12", "Edit13", "Label15"},
        {"CheckBox13", "Edit14", "Label16"}};
    for (const auto& [box, edit, label] : filters) {
        click(box);
        EXPECT_TRUE(model.enabled(edit)) << edit;
        EXPECT_TRUE(model.enabled(label)) << label;
        expectTouchedOnly({box, edit, label});
        click(box);
        EXPECT_FALSE(model.enabled(edit)) << edit;
        EXPECT_FALSE(model.enabled(label)) << label;
    }
}

TEST_F(CouplingRulesTest, FullBandwidthLocksTheFourFilters) {
    click("CheckBox09");
    click("CheckBox10");
    click("CheckBox13");
    click("CheckBox14");
    expectEnabled({"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"}, false);
    expectChecked({"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"}, false);
    expectEnabled({"Edit11", "Edit12", "Edit13", "Edit14"}, false);
    expectEnabled({"Label13", "Label14", "Label15", "Label16"}, false);
    expectTouchedOnly(kBandwidthControls);

    click("CheckBox14");
    expectEnabled({"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"}, true);
    expectChecked({"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"}, false);
    expectEnabled({"Edit11", "Edit12", "Edit13", "Edit14"}, false);
    expectEnabled({"Label13", "Label14", "Label15", "Label16"}, false);
}

TEST_F(CouplingRulesTest, BlockTypesAreNeverBothOff) {
    click("CheckBox21");
    EXPECT_FALSE(model.checked("CheckBox21"));
    EXPECT_TRUE(model.checked("CheckBox22"));
    expectTouchedOnly({"CheckBox21"});
    click("CheckBox22");
    EXPECT_FALSE(model.checked("CheckBox22"));
    EXPECT_TRUE(model.checked("CheckBox21"));
    click("CheckBox22");
    EXPECT_TRUE(model.checked("CheckBox21"));
    EXPECT_TRUE(model.checked("CheckBox22"));
    expectTouchedOnly({"CheckBox22"});
}

const std::set<std::string> kBitrateControls = {"ComboBox1", "ComboBox2", "ComboBox3",
                                                "ComboBox4", "TrackBar1", "Label04",
                                                "Label05",   "Label06",   "RadioGroup1"};

TEST_F(CouplingRulesTest, SamplingFrequencyShowsItsBitrateList) {
    pickRate("22.05 kHz");
    expectVisible({"ComboBox3"}, true);
    expectVisible({"ComboBox2", "ComboBox4"}, false);
    expectTouchedOnly(kBitrateControls);
    pickRate("44.1 kHz");
    expectVisible({"ComboBox2"}, true);
    expectVisible({"ComboBox3", "ComboBox4"}, false);
    pickRate("auto");
    expectVisible({"ComboBox4"}, true);
    expectVisible({"ComboBox2", "ComboBox3"}, false);
}

TEST_F(CouplingRulesTest, VbrHidesTheBitrateListsAndResetsTheFrequency) {
    model.setText("ComboBox3", "96");
    model.setPosition("TrackBar1", 7);
    pickRate("22.05 kHz");
    mode(1);
    expectVisible({"ComboBox2", "ComboBox3", "ComboBox4", "Label04"}, false);
    expectVisible({"TrackBar1", "Label05", "Label06"}, true);
    EXPECT_EQ(model.text("ComboBox1"), "auto");
    EXPECT_EQ(model.text("ComboBox3"), "96");
    EXPECT_EQ(model.position("TrackBar1"), 7);
    expectTouchedOnly(kBitrateControls);

    pickRate("48 kHz");
    expectVisible({"ComboBox2", "ComboBox3", "ComboBox4"}, false);

    mode(2);
    expectVisible({"ComboBox4", "Label04"}, true);
    expectVisible({"ComboBox2", "ComboBox3", "TrackBar1", "Label05", "Label06"}, false);
    EXPECT_EQ(model.text("ComboBox1"), "auto");
}

TEST_F(CouplingRulesTest, ClickingTheSelectedModeRunsNothing) {
    pickRate("44.1 kHz");
    mode(0);
    EXPECT_EQ(model.text("ComboBox1"), "44.1 kHz");
    EXPECT_TRUE(touched.empty());
}

TEST_F(CouplingRulesTest, ATypedFrequencyWithoutEntryLeavesTheListsAlone) {
    pickRate("24 kHz");
    typeRate("8");
    EXPECT_EQ(model.text("ComboBox1"), "8");
    expectVisible({"ComboBox3"}, true);
    expectVisible({"ComboBox2", "ComboBox4"}, false);
}

TEST_F(CouplingRulesTest, TypedCompletionRunsTheRuleAndCaseMatters) {
    typeRate("4");
    EXPECT_EQ(model.text("ComboBox1"), "44.1 kHz");
    expectVisible({"ComboBox2"}, true);
    expectVisible({"ComboBox4"}, false);

    typeRate("A");
    EXPECT_EQ(model.text("ComboBox1"), "Auto");
    expectVisible({"ComboBox2"}, true); // "Auto" is not an entry
    expectVisible({"ComboBox4"}, false);
}

TEST_F(CouplingRulesTest, ACaseOnlyCompletionStillShowsTheListTheCommandUses) {
    typeRate("1");
    expectVisible({"ComboBox3"}, true);
    typeRate("A"); // "Auto" is no frequency: the lists stay
    typeRate("a");
    EXPECT_EQ(model.text("ComboBox1"), "auto");
    expectVisible({"ComboBox4"}, true);
    expectVisible({"ComboBox2", "ComboBox3"}, false);
}

TEST_F(CouplingRulesTest, CompletionAfterAModeResetStillReports) {
    pickRate("44.1 kHz");
    mode(2);
    typeRate("4");
    EXPECT_EQ(model.text("ComboBox1"), "44.1 kHz");
    expectVisible({"ComboBox2"}, true);
    expectVisible({"ComboBox4"}, false);
}

TEST_F(CouplingRulesTest, ControlsWithoutRulesChangeNothingElse) {
    const char* boxes[] = {"CheckBox02", "CheckBox03", "CheckBox04", "CheckBox07", "CheckBox08",
                           "CheckBox15", "CheckBox16", "CheckBox17", "CheckBox18", "CheckBox19",
                           "CheckBox20", "CheckBox23", "CheckBox24", "CheckBox25"};
    for (const char* box : boxes) {
        click(box);
        expectTouchedOnly({box});
    }
    touched.clear();
    wiring.itemIndexChanged("RadioGroup2", 4);
    wiring.positionChanged("TrackBar2", 8);
    wiring.textChanged("Edit09", "0.5");
    wiring.textChanged("ComboBox6", "-X3");
    expectTouchedOnly({"RadioGroup2", "TrackBar2", "Edit09", "ComboBox6"});
}

TEST(CouplingRuleTable, NamesEveryGoverningControlAndNoOther) {
    const char* governing[] = {"CheckBox01", "CheckBox05", "CheckBox06", "CheckBox09", "CheckBox10",
                               "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14", "CheckBox21",
                               "CheckBox22", "ComboBox1",  "RadioGroup1"};
    for (const char* name : governing)
        EXPECT_NE(CouplingRules::ruleFor(name), nullptr) << name;
    FormModel model;
    std::size_t withRule = 0;
    for (const ControlState& c : model.controls())
        withRule += CouplingRules::ruleFor(c.name) != nullptr;
    EXPECT_EQ(withRule, std::size(governing));
}

} // namespace
