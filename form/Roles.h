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
inline constexpr ControlName kStartButton = control::Button1;

struct ChooserButton {
    ControlName button;
    Chooser chooser;
};
const std::vector<ChooserButton>& chooserButtons();

// A file dragged onto one of these fields puts its path there, as a chosen file would.
bool takesDroppedFiles(ControlName field);

// Where the keyboard focus is when the window opens: the first enabled, visible stop of the
// tab walk.
ControlName initialFocus(const FormModel& model);

// What assistive technology announces for a control that has no caption of its own: the caption
// of the label or box that names it on the window, and for the tag fields which tag (the
// placeholder's word). Empty for a control that is named by its own caption.
std::string accessibleName(const FormModel& model, ControlName control);

} // namespace quendra::form
