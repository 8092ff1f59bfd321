#pragma once

#include "ChooserSettings.h"
#include "ControlNames.h"

#include <string>
#include <vector>

namespace quendra {
class FormModel;
}

namespace quendra::form {

// What the window's buttons and fields do beyond storing input: the button that starts the
// encoder, the buttons that open a file chooser, the fields that take a dropped file.
enum class ButtonAction { None, StartEncoding, ChooseFile };
struct ButtonRole {
    ControlName button;
    ButtonAction action;
    Chooser chooser; // the one a ChooseFile button opens
};
const std::vector<ButtonRole>& buttonRoles();
// A button's role; None for a control that has none.
ButtonRole buttonRole(ControlName button);

// A file dragged onto one of these fields puts its path there, as a chosen file would.
bool takesDroppedFiles(ControlName field);

// Where the keyboard focus is when the window opens: the first enabled, visible stop of the
// tab walk.
ControlName initialFocus(const FormModel& model);

// What assistive technology announces for a control whose caption does not say what it is for:
// the caption of the label or box that names it on the window, for the tag fields which tag (the
// placeholder's word), for a field with a unit the unit as the label beside it shows it
// ("lower the ATH by, dB"); for a button that opens a file chooser, the chooser's title (its
// caption is "..."). Empty for a control that is named by its own caption.
std::string accessibleName(const FormModel& model, ControlName control);
// What it announces after the name and the value: for a slider the ends as the caption beside it
// gives them ("quality <> speed"), then the control's own hint; empty for none.
std::string accessibleDescription(const FormModel& model, ControlName control);

// The label whose caption alone is a control's accessible name, where a platform can find it by
// its own rule (the static text just before a control in z-order names it); empty where the
// name is made otherwise (a placeholder or a unit added, a check box's caption) or where the label
// already names an earlier control.
ControlName namingLabel(const FormModel& model, ControlName control);
// The other way round: the control a label names by that rule, or none.
ControlName namedBy(const FormModel& model, ControlName label);

// The order in which a shell makes the window's controls, which is also their order for
// assistive technology: the tab walk, with each group box just before the first of its
// controls and each naming label just before its control; the other labels and boxes last.
// Labels and group boxes are no tab stops, so Tab still walks the tab walk.
std::vector<ControlName> stackingOrder(const FormModel& model);

} // namespace quendra::form
