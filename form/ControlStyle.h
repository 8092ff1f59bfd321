#pragma once

namespace quendra::form {

// How the kinds of control look and step, as the pixel tables were drawn around them; a shell
// scales the sizes with the layout.

// Sliders: horizontal, a tick below the track at every step.
inline constexpr int kSliderTickInterval = 1;
inline constexpr int kSliderLineStep = 1; // arrow keys
inline constexpr int kSliderPageStep = 2; // page keys
inline constexpr int kSliderThumbLength = 20;

// Drop-downs: editable text over a list of at most this many visible entries.
inline constexpr int kDropDownVisibleEntries = 8;

// Check boxes and radio buttons: the mark and the gap between it and the caption.
inline constexpr int kIndicatorSize = 13;
inline constexpr int kIndicatorCaptionGap = 4;

// Group boxes: the caption sits on the frame's top line, this far from the left edge, with a
// small gap to the line on either side.
inline constexpr int kGroupCaptionIndent = 8;
inline constexpr int kGroupCaptionGap = 2;

} // namespace quendra::form
