#pragma once

#include "ControlNames.h"
#include "LayoutScale.h"

#include <vector>

namespace quendra::form {

// Where a control sits, in table units relative to its parent (the window, Form1, or a group
// box), and its place in the keyboard order among its siblings (-1: never takes the focus).
struct Placement {
    ControlName name;
    ControlName parent;
    PixelRect rect;
    int tabOrder;
};
const std::vector<Placement>& placements();
// nullptr for a name the table does not place.
const Placement* placementOf(ControlName name);

// The pictures of the window, by a name that each shell maps to its own copy of the artwork:
// the files resources/<name>.png.
enum class Picture { Banner, EncoderLogo };
const char* pictureName(Picture picture);

// The pictures and the credit lines in plain text: not part of the model, never changed, never
// focused. A picture is drawn centred in its place.
struct PicturePlacement {
    ControlName name;
    PixelRect rect;
    Picture picture;
};
const std::vector<PicturePlacement>& pictures();

struct CreditLine {
    ControlName name;
    PixelRect rect;
    const char* text;
};
const std::vector<CreditLine>& creditLines();

// The client area the controls need, in table units: the extent of everything placed on the
// window, with the left margin repeated to the right and below.
PixelRect clientExtent();

// The order in which Tab walks the controls: the window's controls by tab order, each group box
// entered at its place and its own controls walked in their order. Labels and group boxes are
// never stops; a radio group is one stop, its selected button. Disabled and hidden controls
// are skipped when walking, by the model's state at that moment.
const std::vector<ControlName>& tabWalk();

} // namespace quendra::form
