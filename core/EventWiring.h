#pragma once

#include "DropDownTyping.h"
#include "FormModel.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quendra {

// Where the window's user input enters the core: each change is stored in the model and, for a
// governing control, its coupling rule runs at once. Input on a disabled or hidden control is
// the window's to refuse; this only stores what the user did.
class EventWiring {
public:
    explicit EventWiring(FormModel& model) : model_(model) {}

    void checkedChanged(std::string_view control, bool checked);
    // The selected radio button; selecting the one already selected runs nothing.
    void itemIndexChanged(std::string_view control, int index);
    void positionChanged(std::string_view control, int position);
    // An edit field's new text, or a drop-down's text edited other than by typing a character
    // or Backspace (paste, cut, Delete): stored, and for a drop-down reported as a change.
    void textChanged(std::string_view control, std::string text);

    // Keys typed into a drop-down and entries picked from its list. The text and current entry
    // come from the model; the selection and caret from the window. Returns what the drop-down
    // must show afterwards, with the entry it shows as current (DropDownTyping::shownEntry).
    DropDownEdit keyTyped(std::string_view dropDown, const TextSelection& selection,
                          std::string_view character);
    DropDownEdit backspacePressed(std::string_view dropDown, const TextSelection& selection);
    DropDownEdit entryPicked(std::string_view dropDown, int index);

private:
    void runRule(std::string_view control);
    DropDownEdit apply(std::string_view dropDown, const DropDownOutcome& outcome);
    DropDownEdit current(std::string_view dropDown, const TextSelection& selection) const;

    FormModel& model_;
};

} // namespace quendra
