#pragma once

#include "FormModel.h"

#include <string_view>

namespace quendra {

// The rules that keep dependent controls consistent with the controls that govern them. Each
// runs after the user has changed its governing control and reads that control's new state.
namespace CouplingRules {

void CheckBox01Click(FormModel& model);
void CheckBox05Click(FormModel& model);
void CheckBox06Click(FormModel& model);
void CheckBox09Click(FormModel& model);
void CheckBox10Click(FormModel& model);
void CheckBox11Click(FormModel& model);
void CheckBox12Click(FormModel& model);
void CheckBox13Click(FormModel& model);
void CheckBox14Click(FormModel& model);
void CheckBox21Click(FormModel& model);
void CheckBox22Click(FormModel& model);
void ComboBox1Change(FormModel& model);
void RadioGroup1Click(FormModel& model);

using Rule = void (*)(FormModel&);

// The rule that a user change of the named control runs, or nullptr where it has none.
Rule ruleFor(std::string_view control);

} // namespace CouplingRules

} // namespace quendra
