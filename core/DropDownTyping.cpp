#include "DropDownTyping.h"

#include <algorithm>

namespace quendra {

namespace {

bool continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Moves an offset back onto the first byte of the UTF-8 character it falls in.
std::size_t characterStart(const std::string& text, std::size_t offset) {
    offset = std::min(offset, text.size());
    while (offset > 0 && offset < text.size() && continuation(text[offset]))
        --offset;
    return offset;
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithIgnoringCase(std::string_view entry, std::string_view prefix) {
    if (prefix.size() > entry.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(entry[i]) != lowerAscii(prefix[i]))
            return false;
    return true;
}

DropDownEdit normalized(const DropDownEdit& in) {
    DropDownEdit edit = in;
    const std::size_t size = edit.text.size();
    const std::size_t start = std::min(in.selection.start, size);
    const std::size_t end =
        characterStart(edit.text, start + std::min(in.selection.length, size - start));
    edit.selection.start = characterStart(edit.text, start);
    edit.selection.length = end > edit.selection.start ? end - edit.selection.start : 0;
    edit.selection.caret = characterStart(edit.text, std::min(edit.selection.caret, size));
    return edit;
}

} // namespace

DropDownOutcome DropDownTyping::type(const std::vector<std::string>& items,
                                     const DropDownEdit& before, std::string_view character) {
    const DropDownEdit edit = normalized(before);
    if (character.empty())
        return DropDownOutcome{edit, false};
    const std::string typed =
        (edit.selection.length > 0 ? edit.text.substr(0, edit.selection.start) : edit.text) +
        std::string(character);

    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!startsWithIgnoringCase(items[i], typed))
            continue;
        DropDownOutcome out;
        out.edit.text = typed + items[i].substr(typed.size());
        out.edit.selection.start = typed.size();
        out.edit.selection.length = out.edit.text.size() - typed.size();
        out.edit.selection.caret = out.edit.text.size();
        out.edit.currentEntry = static_cast<int>(i);
        // A completion that changes only the letter case keeps the entry but changes the text,
        // and a governing drop-down must then look at its text again.
        out.changeReported =
            out.edit.currentEntry != edit.currentEntry || out.edit.text != edit.text;
        return out;
    }

    // No entry begins so: the character replaces the selection or goes in at the caret.
    DropDownOutcome out;
    const std::size_t at = edit.selection.length > 0 ? edit.selection.start : edit.selection.caret;
    out.edit.text = edit.text;
    out.edit.text.replace(at, edit.selection.length, character);
    out.edit.selection.caret = at + character.size();
    out.edit.selection.start = out.edit.selection.caret;
    out.edit.currentEntry = -1;
    out.changeReported = true;
    return out;
}

DropDownOutcome DropDownTyping::backspace(const std::vector<std::string>&,
                                          const DropDownEdit& before) {
    const DropDownEdit edit = normalized(before);
    DropDownOutcome out;
    out.edit.text = edit.text;
    std::size_t at = edit.selection.caret;
    if (edit.selection.length > 0) {
        at = edit.selection.start;
        out.edit.text.erase(at, edit.selection.length);
    } else if (at > 0) {
        const std::size_t start = characterStart(edit.text, at - 1);
        out.edit.text.erase(start, at - start);
        at = start;
    }
    out.edit.selection.caret = at;
    out.edit.selection.start = at;
    out.edit.currentEntry = -1;
    out.changeReported = true;
    return out;
}

DropDownOutcome DropDownTyping::pick(const std::vector<std::string>& items,
                                     const DropDownEdit& before, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return DropDownOutcome{normalized(before), false};
    DropDownOutcome out;
    out.edit.text = items[static_cast<std::size_t>(index)];
    out.edit.selection.start = 0;
    out.edit.selection.length = out.edit.text.size();
    out.edit.selection.caret = out.edit.text.size();
    out.edit.currentEntry = index;
    out.changeReported = true;
    return out;
}

int DropDownTyping::exactEntry(const std::vector<std::string>& items, const std::string& text) {
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

int DropDownTyping::shownEntry(const std::vector<std::string>& items, const std::string& text,
                               int currentEntry) {
    const int exact = exactEntry(items, text);
    return exact >= 0 ? exact : currentEntry;
}

} // namespace quendra
