#pragma once

#include "LayoutScale.h"

#include <string_view>
#include <vector>

namespace quendra::ui {

// Names and texts that identify the program to the user and the desktop.
inline constexpr const char* kCaption =
    "Quendra orvo 1.1 Pro   -   Tamrik Edition   -   powered by LAME 3.97";
inline constexpr const char* kApplicationTitle = "Quendra orvo 1.1 Pro";
inline constexpr const char* kProductName = "Quendra orvo";
inline constexpr const char* kVersion = "1.1.0.4";
inline constexpr const char* kDesktopFileName = "quendra-orvo";

// The window's outer size, and the frame assumed until the platform reports its own.
inline constexpr int kOuterWidth = 642;
inline constexpr int kOuterHeight = 692;
inline constexpr int kAssumedFrameWidth = 8;   // two 4-pixel sizing borders
inline constexpr int kAssumedFrameHeight = 27; // the borders and a 19-pixel title bar

// Where a control sits, in table units relative to its parent ("Form1" or a group box), and its
// place in the keyboard order among its siblings (-1: never takes the focus).
struct Placement {
    const char* name;
    const char* parent;
    PixelRect rect;
    int tabOrder;
};
const std::vector<Placement>& placements();
const Placement* placementOf(std::string_view name);

// Pictures and credit lines; they are not part of the model and never change.
struct Decoration {
    const char* name;
    PixelRect rect;
    const char* text;     // caption of a credit line, or nullptr
    const char* resource; // picture resource, or nullptr
};
const std::vector<Decoration>& decorations();

// Hover hints, keyed by the control that owns them. Everything inside an owner (the buttons of
// a radio group, the boxes of a group box) shows its owner's hint.
struct Hint {
    const char* control;
    const char* text;
};
const std::vector<Hint>& hints();

// What assistive technology announces for an input control: the caption beside it.
struct AccessibleName {
    const char* control;
    const char* name;
};
const std::vector<AccessibleName>& accessibleNames();

} // namespace quendra::ui
