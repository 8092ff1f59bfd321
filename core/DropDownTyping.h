#pragma once

#include "TextSelection.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// What an editable drop-down holds while the user types: its text, the selected part and the
// caret as byte offsets into the text, and the current list entry (-1 for none).
struct DropDownEdit {
    std::string text;
    TextSelection selection;
    int currentEntry = -1;
};

struct DropDownOutcome {
    DropDownEdit edit;
    bool changeReported = false;
};

// The drop-down's completing behaviour, free of any toolkit. Offsets outside the text are
// clamped into it first, and results always lie on whole UTF-8 characters inside the text.
class DropDownTyping {
public:
    // One typed character (one UTF-8 sequence). The text typed so far plus the character is
    // looked up as a case-insensitive prefix of the entries; a match completes the entry and
    // selects the completed rest, and reports a change when the entry or the text changed.
    static DropDownOutcome type(const std::vector<std::string>& items, const DropDownEdit& edit,
                                std::string_view character);
    // Deletes the selected part, or else the character before the caret.
    static DropDownOutcome backspace(const std::vector<std::string>& items,
                                     const DropDownEdit& edit);
    // An entry picked from the list; the whole text ends selected.
    static DropDownOutcome pick(const std::vector<std::string>& items, const DropDownEdit& edit,
                                int index);

    // The entry that equals the text exactly, byte for byte; -1 for none.
    static int exactEntry(const std::vector<std::string>& items, const std::string& text);
    // The entry a window shows as current: the one whose text it shows, where the text is an
    // entry, else the current entry. The list's keys then move on from the entry the person
    // sees, and a screen reader says where they went. It is only shown: the current entry, which
    // decides whether a completion reports a change, stays as it is.
    static int shownEntry(const std::vector<std::string>& items, const std::string& text,
                          int currentEntry);
};

} // namespace quendra
