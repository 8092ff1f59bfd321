#include "CouplingRules.h"

#include "FormValues.h"
#include "SampleRateChoice.h"

#include <initializer_list>

namespace quendra {
namespace CouplingRules {

namespace {

using Names = std::initializer_list<ControlName>;

void enable(FormModel& model, Names names, bool enabled) {
    for (ControlName name : names)
        model.setEnabled(name, enabled);
}

void show(FormModel& model, Names names, bool visible) {
    for (ControlName name : names)
        model.setVisible(name, visible);
}

void check(FormModel& model, Names names, bool checked) {
    for (ControlName name : names)
        model.setChecked(name, checked);
}

void filterValue(FormModel& model, ControlName box, ControlName edit, ControlName label) {
    const bool on = model.checked(box);
    model.setEnabled(edit, on);
    model.setEnabled(label, on);
}

bool inVbrMode(const FormModel& model) {
    return model.itemIndex(control::RadioGroup1) == static_cast<int>(BitrateMode::Vbr);
}

const ControlName kBitrateDropDowns[] = {control::ComboBox2, control::ComboBox3,
                                         control::ComboBox4};

struct RuleEntry {
    std::string_view control;
    Rule rule;
};

const RuleEntry kRules[] = {
    {control::CheckBox01, CheckBox01Click},   {control::CheckBox05, CheckBox05Click},
    {control::CheckBox06, CheckBox06Click},   {control::CheckBox09, CheckBox09Click},
    {control::CheckBox10, CheckBox10Click},   {control::CheckBox11, CheckBox11Click},
    {control::CheckBox12, CheckBox12Click},   {control::CheckBox13, CheckBox13Click},
    {control::CheckBox14, CheckBox14Click},   {control::CheckBox21, CheckBox21Click},
    {control::CheckBox22, CheckBox22Click},   {control::ComboBox1, ComboBox1Change},
    {control::RadioGroup1, RadioGroup1Click},
};

} // namespace

void CheckBox01Click(FormModel& model) {
    enable(model,
           {control::Edit03, control::Edit04, control::Edit05, control::Edit06, control::Edit07,
            control::Edit08, control::ComboBox5},
           model.checked(control::CheckBox01));
}

void CheckBox05Click(FormModel& model) {
    const bool on = model.checked(control::CheckBox05);
    if (!on)
        check(model, {control::CheckBox06, control::CheckBox07, control::CheckBox08}, false);
    enable(model,
           {control::CheckBox06, control::CheckBox07, control::CheckBox08, control::ComboBox7,
            control::Edit15, control::Label17},
           on);
}

void CheckBox06Click(FormModel& model) {
    const bool on = model.checked(control::CheckBox06);
    model.setChecked(control::CheckBox07, on);
    model.setEnabled(control::CheckBox07, !on);
}

void CheckBox09Click(FormModel& model) {
    const bool automatic = model.checked(control::CheckBox09);
    enable(model,
           {control::CheckBox10, control::CheckBox11, control::CheckBox12, control::CheckBox13,
            control::CheckBox14},
           !automatic);
    check(model, {control::CheckBox10, control::CheckBox11, control::CheckBox14}, false);
    check(model, {control::CheckBox12, control::CheckBox13}, automatic);
    enable(model, {control::Edit11, control::Edit12, control::Edit13, control::Edit14}, false);
    model.setText(control::Edit13, std::string(automatic ? kAuto : ""));
    model.setText(control::Edit14, std::string(automatic ? kAuto : ""));
    enable(model, {control::Label13, control::Label14}, false);
    if (!automatic)
        enable(model, {control::Label15, control::Label16}, false);
    show(model, {control::Label15, control::Label16}, !automatic);
}

void CheckBox10Click(FormModel& model) {
    filterValue(model, control::CheckBox10, control::Edit11, control::Label13);
}
void CheckBox11Click(FormModel& model) {
    filterValue(model, control::CheckBox11, control::Edit12, control::Label14);
}
void CheckBox12Click(FormModel& model) {
    filterValue(model, control::CheckBox12, control::Edit13, control::Label15);
}
void CheckBox13Click(FormModel& model) {
    filterValue(model, control::CheckBox13, control::Edit14, control::Label16);
}

void CheckBox14Click(FormModel& model) {
    const bool full = model.checked(control::CheckBox14);
    enable(model,
           {control::CheckBox10, control::CheckBox11, control::CheckBox12, control::CheckBox13},
           !full);
    if (full) {
        check(model,
              {control::CheckBox10, control::CheckBox11, control::CheckBox12, control::CheckBox13},
              false);
        enable(model, {control::Edit11, control::Edit12, control::Edit13, control::Edit14}, false);
        enable(model, {control::Label13, control::Label14, control::Label15, control::Label16},
               false);
    }
}

void CheckBox21Click(FormModel& model) {
    if (!model.checked(control::CheckBox21))
        model.setChecked(control::CheckBox22, true);
}

void CheckBox22Click(FormModel& model) {
    if (!model.checked(control::CheckBox22))
        model.setChecked(control::CheckBox21, true);
}

void ComboBox1Change(FormModel& model) {
    if (const SampleRateChoice* choice = SampleRateChoice::find(model.text(control::ComboBox1)))
        for (ControlName box : kBitrateDropDowns)
            model.setVisible(box, choice->bitrateDropDown == box);
    if (inVbrMode(model))
        for (ControlName box : kBitrateDropDowns)
            model.setVisible(box, false);
}

void RadioGroup1Click(FormModel& model) {
    const bool vbr = inVbrMode(model);
    show(model, {control::ComboBox2, control::ComboBox3}, false);
    model.setVisible(control::ComboBox4, !vbr);
    show(model, {control::TrackBar1, control::Label05, control::Label06}, vbr);
    model.setVisible(control::Label04, !vbr);
    model.setText(control::ComboBox1, std::string(kAuto));
}

Rule ruleFor(std::string_view control) {
    for (const RuleEntry& entry : kRules)
        if (entry.control == control)
            return entry.rule;
    return nullptr;
}

} // namespace CouplingRules
} // namespace quendra
