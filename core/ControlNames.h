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

inline constexpr ControlName Label01 = "Label01";
inline constexpr ControlName Label02 = "Label02";
inline constexpr ControlName Label03 = "Label03";
inline constexpr ControlName Label04 = "Label04";
inline constexpr ControlName Label05 = "Label05";
inline constexpr ControlName Label06 = "Label06";
inline constexpr ControlName Label07 = "Label07";
inline constexpr ControlName Label08 = "Label08";
inline constexpr ControlName Label09 = "Label09";
inline constexpr ControlName Label10 = "Label10";
inline constexpr ControlName Label11 = "Label11";
inline constexpr ControlName Label12 = "Label12";
inline constexpr ControlName Label13 = "Label13";
inline constexpr ControlName Label14 = "Label14";
inline constexpr ControlName Label15 = "Label15";
inline constexpr ControlName Label16 = "Label16";
inline constexpr ControlName Label17 = "Label17";
inline constexpr ControlName Label18 = "Label18";
inline constexpr ControlName Label19 = "Label19";
inline constexpr ControlName Label20 = "Label20";
inline constexpr ControlName Label21 = "Label21";
inline constexpr ControlName Label22 = "Label22";
inline constexpr ControlName Label23 = "Label23";

inline constexpr ControlName Edit01 = "Edit01";
inline constexpr ControlName Edit02 = "Edit02";
inline constexpr ControlName Edit03 = "Edit03";
inline constexpr ControlName Edit04 = "Edit04";
inline constexpr ControlName Edit05 = "Edit05";
inline constexpr ControlName Edit06 = "Edit06";
inline constexpr ControlName Edit07 = "Edit07";
inline constexpr ControlName Edit08 = "Edit08";
inline constexpr ControlName Edit09 = "Edit09";
inline constexpr ControlName Edit10 = "Edit10";
inline constexpr ControlName Edit11 = "Edit11";
inline constexpr ControlName Edit12 = "Edit12";
inline constexpr ControlName Edit13 = "Edit13";
inline constexpr ControlName Edit14 = "Edit14";
inline constexpr ControlName Edit15 = "Edit15";

inline constexpr ControlName CheckBox01 = "CheckBox01";
inline constexpr ControlName CheckBox02 = "CheckBox02";
inline constexpr ControlName CheckBox03 = "CheckBox03";
inline constexpr ControlName CheckBox04 = "CheckBox04";
inline constexpr ControlName CheckBox05 = "CheckBox05";
inline constexpr ControlName CheckBox06 = "CheckBox06";
inline constexpr ControlName CheckBox07 = "CheckBox07";
inline constexpr ControlName CheckBox08 = "CheckBox08";
inline constexpr ControlName CheckBox09 = "CheckBox09";
inline constexpr ControlName CheckBox10 = "CheckBox10";
inline constexpr ControlName CheckBox11 = "CheckBox11";
inline constexpr ControlName CheckBox12 = "CheckBox12";
inline constexpr ControlName CheckBox13 = "CheckBox13";
inline constexpr ControlName CheckBox14 = "CheckBox14";
inline constexpr ControlName CheckBox15 = "CheckBox15";
inline constexpr ControlName CheckBox16 = "CheckBox16";
inline constexpr ControlName CheckBox17 = "CheckBox17";
inline constexpr ControlName CheckBox18 = "CheckBox18";
inline constexpr ControlName CheckBox19 = "CheckBox19";
inline constexpr ControlName CheckBox20 = "CheckBox20";
inline constexpr ControlName CheckBox21 = "CheckBox21";
inline constexpr ControlName CheckBox22 = "CheckBox22";
inline constexpr ControlName CheckBox23 = "CheckBox23";
inline constexpr ControlName CheckBox24 = "CheckBox24";
inline constexpr ControlName CheckBox25 = "CheckBox25";

inline constexpr ControlName ComboBox1 = "ComboBox1";
inline constexpr ControlName ComboBox2 = "ComboBox2";
inline constexpr ControlName ComboBox3 = "ComboBox3";
inline constexpr ControlName ComboBox4 = "ComboBox4";
inline constexpr ControlName ComboBox5 = "ComboBox5";
inline constexpr ControlName ComboBox6 = "ComboBox6";
inline constexpr ControlName ComboBox7 = "ComboBox7";

inline constexpr ControlName RadioGroup1 = "RadioGroup1";
inline constexpr ControlName RadioGroup2 = "RadioGroup2";
inline constexpr ControlName RadioGroup3 = "RadioGroup3";
inline constexpr ControlName RadioGroup4 = "RadioGroup4";

inline constexpr ControlName Button1 = "Button1";
inline constexpr ControlName Button2 = "Button2";
inline constexpr ControlName Button3 = "Button3";

inline constexpr ControlName TrackBar1 = "TrackBar1";
inline constexpr ControlName TrackBar2 = "TrackBar2";

inline constexpr ControlName GroupBox1 = "GroupBox1";
inline constexpr ControlName GroupBox2 = "GroupBox2";
inline constexpr ControlName GroupBox3 = "GroupBox3";
inline constexpr ControlName GroupBox4 = "GroupBox4";

inline constexpr ControlName Image1 = "Image1";
inline constexpr ControlName Image2 = "Image2";

} // namespace control

} // namespace quendra
