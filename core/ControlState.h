#pragma once

#include "ControlNames.h"

#include <string>
#include <vector>

namespace quendra {

enum class ControlKind { Label, Edit, CheckBox, DropDown, Button, Slider, RadioGroup, GroupBox };

// The fields a change notice can name.
enum class Field { Text, Checked, ItemIndex, CurrentEntry, Position, Enabled, Visible };

// One working control of the main window, independent of any toolkit.
struct ControlState {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string caption;
    std::string text;
    std::vector<std::string> items; // drop-down entries or radio-button captions
    int itemIndex = -1;             // radio group: selected button
    int currentEntry = -1;          // drop-down: last picked or completed entry, -1 for none
    bool checked = false;
    int position = 0;
    int minimum = 0;
    int maximum = 0;
    bool enabled = true;
    bool visible = true;
};

} // namespace quendra
