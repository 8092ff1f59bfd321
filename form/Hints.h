#pragma once

#include "ControlNames.h"

#include <vector>

namespace quendra {
class FormModel;
}

namespace quendra::form {

// Hover hints, keyed by the control that owns them.
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

// When hints come and go: a hint appears once the mouse has rested on its control, at once
// when the mouse moves on to another hinted control within a moment of a shown hint, and goes
// away after a few seconds.
struct HintTimings {
    int restMs;
    int showMs;
    int moveOnMs;
};
inline constexpr HintTimings kHintTimings{500, 2500, 400};

} // namespace quendra::form
