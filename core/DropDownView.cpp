#include "DropDownView.h"

namespace quendra {

void DropDownView::showEntryAndText(const std::string& text, int entry) {
    // Making an entry current writes the entry's text into the line; the text comes after it.
    if (currentEntry() != entry)
        setCurrentEntry(entry);
    if (this->text() != text)
        setText(text);
}

void DropDownView::show(const DropDownEdit& edit) {
    showEntryAndText(edit.text, edit.currentEntry);
    select(edit.text, edit.selection);
}

void DropDownView::mirror(const ControlState& dropDown) {
    mirror(dropDown.text,
           DropDownTyping::shownEntry(dropDown.items, dropDown.text, dropDown.currentEntry));
}

void DropDownView::mirror(const std::string& text, int entry) {
    const std::string shown = this->text();
    const TextSelection selection = this->selection();
    showEntryAndText(text, entry);
    if (shown == text)
        select(text, selection);
}

} // namespace quendra
