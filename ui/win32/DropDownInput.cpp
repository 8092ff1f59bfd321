#include "DropDownInput.h"

#include "EventWiring.h"
#include "WideText.h"

#include <commctrl.h>

namespace quendra::win32 {

namespace {

// The edit's selection as UTF-8 offsets. Windows keeps no caret apart from the selection: it is
// at the selection's end.
TextSelection selectionOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = DropDownInput::textOf(edit);
    return toUtf8(utf16(text), {start, end - start, end});
}

// The edit's selection runs from its first offset to its second, where the caret is.
void select(HWND edit, const std::string& text, const TextSelection& utf8) {
    const TextSelection at = toUtf16(text, utf8);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(at.anchor()),
                 static_cast<LPARAM>(at.active()));
}

// Making an entry current writes the entry's text into the line; the model's text wins.
void setEntryAndText(HWND comboBox, HWND line, const std::string& text, int currentEntry) {
    if (SendMessageW(comboBox, CB_GETCURSEL, 0, 0) != currentEntry)
        SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(currentEntry), 0);
    const std::wstring wide = widen(text);
    if (DropDownInput::textOf(line) != wide)
        SetWindowTextW(line, wide.c_str());
}

} // namespace

DropDownInput::DropDownInput(HWND comboBox, ControlName name, EventWiring& input)
    : comboBox_(comboBox), edit_(editOf(comboBox)), name_(name), input_(input) {
    SetWindowSubclass(edit_, editProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

HWND DropDownInput::editOf(HWND comboBox) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(comboBox, &info);
    return info.hwndItem;
}

std::wstring DropDownInput::textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

void DropDownInput::show(HWND comboBox, const DropDownEdit& edit) {
    HWND line = editOf(comboBox);
    setEntryAndText(comboBox, line, edit.text, edit.currentEntry);
    select(line, edit.text, edit.selection);
}

void DropDownInput::mirror(HWND comboBox, const std::string& text, int currentEntry) {
    HWND line = editOf(comboBox);
    const std::string shown = narrow(textOf(line));
    const TextSelection selection = selectionOf(line);
    setEntryAndText(comboBox, line, text, currentEntry);
    if (const auto kept = DropDownTyping::keptSelection(shown, selection, text))
        select(line, text, *kept);
}

bool DropDownInput::character(wchar_t unit) {
    if (unit < 0x20 || unit == 0x7F)
        return false; // control keys and shortcuts keep the edit's handling
    if (unit >= 0xD800 && unit < 0xDC00) {
        highSurrogate_ = unit; // the character completes with the next unit
        return true;
    }
    std::wstring typed;
    if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate_)
        typed += highSurrogate_;
    highSurrogate_ = 0;
    typed += unit;
    show(comboBox_, input_.keyTyped(name_, selectionOf(edit_), narrow(typed)));
    return true;
}

void DropDownInput::backspace() {
    show(comboBox_, input_.backspacePressed(name_, selectionOf(edit_)));
}

LRESULT CALLBACK DropDownInput::editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    auto* input = reinterpret_cast<DropDownInput*>(self);
    if (message == WM_CHAR && wParam == VK_BACK) {
        input->backspace();
        return 0;
    }
    if (message == WM_CHAR && input->character(static_cast<wchar_t>(wParam)))
        return 0;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(edit, editProc, 1);
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace quendra::win32
