#pragma once

#include "ControlNames.h"

#include <vector>

namespace quendra {
class FormModel;
}

namespace quendra::form {

// Hover hints, keyed by the control that owns them, in window order: the texts of the core's
// control table.
struct Hint {
    ControlName control;
    const char* text;
};
const std::vector<Hint>& hints();

// The control whose hint shows over a control: the control itself where it has a hint, else the
// nearest group box or radio group around it that has one (the buttons of a radio group are
// part of it); empty where none does.
ControlName hintOwner(const FormModel& model, ControlName control);

// The hint to show over a control now: its owner's, unless the control is disabled or hidden;
// nullptr for none.
const char* hintOver(const FormModel& model, ControlName control);

} // namespace quendra::form
