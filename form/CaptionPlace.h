#pragma once

#include "FormModel.h"
#include "LayoutScale.h"
#include "Placements.h"

#include <cstddef>

namespace quendra::form {

// A caption is never cut: where the caption of a label, a check box, a radio button or a credit
// line needs more room than its table place gives, the place grows to the right, the way an
// auto-sized label would. The window measures the room a caption needs in its own font (`room`,
// in pixels, a mark before the text included). Places are at `scale`, in the pixels of the
// control's parent (a radio button's: its group's).

// The room of a caption whose text alone the window measures: a check box's or a radio
// button's (ControlKind::RadioGroup) mark and gap come before the text.
int captionRoom(ControlKind kind, int textWidth, double scale);

// Whether a control of this kind grows with its caption: labels and check boxes. A radio
// group's frame does not; its buttons do (radioButtonPlace).
bool growsWithCaption(ControlKind kind);

// A control's place. A label that names a control beside it on its line (in the same parent)
// stops at that control rather than run under it, though never short of its table place.
PixelRect captionPlace(const FormModel& model, ControlName control, double scale, int room);

// The place of button `index` of a radio group.
PixelRect radioButtonPlace(const FormModel& model, ControlName group, std::size_t index,
                           double scale, int room);

PixelRect creditPlace(const CreditLine& line, double scale, int room);

} // namespace quendra::form
