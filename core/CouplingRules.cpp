#include "CouplingRules.h"

#include "SampleRateChoice.h"

#include <initializer_list>

namespace quendra {
namespace CouplingRules {

namespace {

using Names = std::initializer_list<const char*>;

void enable(FormModel& model, Names names, bool enabled) {
    for (const char* name : names)
        model.setEnabled(name, enabled);
}

void show(FormModel& model, Names names, bool visible) {
    for (const char* name : names)
        model.setVisible(name, visible);
}

void check(FormModel& model, Names names, bool checked) {
    for (const char* name : names)
        model.setChecked(name, checked);
}

void filterValue(FormModel& model, const char* box, const char* edit, const char* label) {
    const bool on = model.checked(box);
    model.setEnabled(edit, on);
    model.setEnabled(label, on);
}

const char* const kBitrateDropDowns[] = {"ComboBox2", "ComboBox3", "ComboBox4"};

struct RuleEntry {
    std::string_view control;
    Rule rule;
};

const RuleEntry kRules[] = {
    {"CheckBox01", CheckBox01Click},   {"CheckBox05", CheckBox05Click},
    {"CheckBox06", CheckBox06Click},   {"CheckBox09", CheckBox09Click},
    {"CheckBox10", CheckBox10Click},   {"CheckBox11", CheckBox11Click},
    {"CheckBox12", CheckBox12Click},   {"CheckBox13", CheckBox13Click},
    {"CheckBox14", CheckBox14Click},   {"CheckBox21", CheckBox21Click},
    {"CheckBox22", CheckBox22Click},   {"ComboBox1", ComboBox1Change},
    {"RadioGroup1", RadioGroup1Click},
};

} // namespace

void CheckBox01Click(FormModel& model) {
    enable(model, {"Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "ComboBox5"},
           model.checked("CheckBox01"));
}

void CheckBox05Click(FormModel& model) {
    const bool on = model.checked("CheckBox05");
    if (!on)
        check(model, {"CheckBox06", "CheckBox07", "CheckBox08"}, false);
    enable(model, {"CheckBox06", "CheckBox07", "CheckBox08", "ComboBox7", "Edit15", "Label17"}, on);
}

void CheckBox06Click(FormModel& model) {
    const bool on = model.checked("CheckBox06");
    model.setChecked("CheckBox07", on);
    model.setEnabled("CheckBox07", !on);
}

void CheckBox09Click(FormModel& model) {
    const bool automatic = model.checked("CheckBox09");
    enable(model, {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"},
           !automatic);
    check(model, {"CheckBox10", "CheckBox11", "CheckBox14"}, false);
    check(model, {"CheckBox12", "CheckBox13"}, automatic);
    enable(model, {"Edit11", "Edit12", "Edit13", "Edit14"}, false);
    model.setText("Edit13", automatic ? "auto" : "");
    model.setText("Edit14", automatic ? "auto" : "");
    enable(model, {"Label13", "Label14"}, false);
    if (!automatic)
        enable(model, {"Label15", "Label16"}, false);
    show(model, {"Label15", "Label16"}, !automatic);
}

void CheckBox10Click(FormModel& model) {
    filterValue(model, "CheckBox10", "Edit11", "Label13");
}
void CheckBox11Click(FormModel& model) {
    filterValue(model, "CheckBox11", "Edit12", "Label14");
}
void CheckBox12Click(FormModel& model) {
    filterValue(model, "CheckBox12", "Edit13", "Label15");
}
void CheckBox13Click(FormModel& model) {
    filterValue(model, "CheckBox13", "Edit14", "Label16");
}

void CheckBox14Click(FormModel& model) {
    const bool full = model.checked("CheckBox14");
    enable(model, {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"}, !full);
    if (full) {
        check(model, {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"}, false);
        enable(model, {"Edit11", "Edit12", "Edit13", "Edit14"}, false);
        enable(model, {"Label13", "Label14", "Label15", "Label16"}, false);
    }
}

void CheckBox21Click(FormModel& model) {
    if (!model.checked("CheckBox21"))
        model.setChecked("CheckBox22", true);
}

void CheckBox22Click(FormModel& model) {
    if (!model.checked("CheckBox22"))
        model.setChecked("CheckBox21", true);
}

void ComboBox1Change(FormModel& model) {
    if (const SampleRateChoice* choice = SampleRateChoice::find(model.text("ComboBox1")))
        for (const char* box : kBitrateDropDowns)
            model.setVisible(box, choice->bitrateDropDown == box);
    if (model.itemIndex("RadioGroup1") == 1)
        for (const char* box : kBitrateDropDowns)
            model.setVisible(box, false);
}

void RadioGroup1Click(FormModel& model) {
    const bool vbr = model.itemIndex("RadioGroup1") == 1;
    show(model, {"ComboBox2", "ComboBox3"}, false);
    model.setVisible("ComboBox4", !vbr);
    show(model, {"TrackBar1", "Label05", "Label06"}, vbr);
    model.setVisible("Label04", !vbr);
    model.setText("ComboBox1", "auto");
}

Rule ruleFor(std::string_view control) {
    for (const RuleEntry& entry : kRules)
        if (entry.control == control)
            return entry.rule;
    return nullptr;
}

} // namespace CouplingRules
} // namespace quendra
