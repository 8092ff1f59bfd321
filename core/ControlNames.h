#pragma once

#include <string_view>

namespace quendra {

// A control's name: the key of the form model and of every table of the window.
using ControlName = std::string_view;

// Every control of the main window by name, declared once. Code names controls through these,
// so that a misspelt name does not compile. Form1 is the window itself, the parent of the
// controls that sit directly on it.
namespace control {

inline constexpr ControlName Form1 = "Form1";

// The working controls, one name for each row of ControlTable.def.
#define CONTROL(name, ...) inline constexpr ControlName name = #name;
#include "ControlTable.def"
#undef CONTROL

// The pictures and the credit lines, which only the window's description draws.
inline constexpr ControlName Label18 = "Label18";
inline constexpr ControlName Label19 = "Label19";
inline constexpr ControlName Label20 = "Label20";
inline constexpr ControlName Label21 = "Label21";
inline constexpr ControlName Label22 = "Label22";
inline constexpr ControlName Label23 = "Label23";
inline constexpr ControlName Image1 = "Image1";
inline constexpr ControlName Image2 = "Image2";

} // namespace control

} // namespace quendra
