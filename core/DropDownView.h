#pragma once

#include "ControlState.h"
#include "DropDownTyping.h"

#include <string>

namespace quendra {

// An editable drop-down as a window draws it, read and written in the core's terms: UTF-8 text,
// a selection in UTF-8 offsets, the current list entry (-1 for none). A window answers the reads
// and carries out the writes; the steps that keep the drop-down in line with the model are here.
class DropDownView {
public:
    virtual ~DropDownView() = default;

    // Shows what an edit left: its entry, its text, then its selection and caret.
    void show(const DropDownEdit& edit);
    // Shows a drop-down of the model: its text, and as current the entry that the window shows
    // (DropDownTyping::shownEntry).
    void mirror(const ControlState& dropDown);
    // Shows a text and entry. The text wins; where it is the text shown (only the entry changed,
    // which makes a platform's line rewrite itself) the person's selection and caret stay.
    void mirror(const std::string& text, int entry);

    virtual std::string text() const = 0;
    virtual TextSelection selection() const = 0;

protected:
    virtual int currentEntry() const = 0;
    virtual void setCurrentEntry(int entry) = 0;
    virtual void setText(const std::string& text) = 0;
    // Selects within `text`, the text just shown.
    virtual void select(const std::string& text, const TextSelection& selection) = 0;

private:
    void showEntryAndText(const std::string& text, int entry);
};

} // namespace quendra
