#include "DropDownInput.h"

#include "EventWiring.h"
#include "WideText.h"

#include <commctrl.h>

namespace quendra::win32 {

namespace {

struct Caret {
    std::size_t selectionStart;
    std::size_t selectionLength;
    std::size_t caret;
};

// The edit's selection as UTF-8 byte offsets. Windows keeps no caret apart from the selection:
// it is at the selection's end.
Caret caretOf(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = DropDownInput::textOf(edit);
    const std::size_t from = utf8Offset(text, start);
    const std::size_t to = utf8Offset(text, end);
    return {from, to - from, to};
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
    // Making an entry current writes the entry's text into the line; the model's text wins.
    if (SendMessageW(comboBox, CB_GETCURSEL, 0, 0) != edit.currentEntry)
        SendMessageW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(edit.currentEntry), 0);
    const std::wstring text = widen(edit.text);
    if (textOf(line) != text)
        SetWindowTextW(line, text.c_str());
    const auto start = static_cast<LPARAM>(utf16Offset(edit.text, edit.selectionStart));
    const auto end =
        static_cast<LPARAM>(utf16Offset(edit.text, edit.selectionStart + edit.selectionLength));
    // The caret sits where the selection's second offset says.
    if (edit.selectionLength > 0 && edit.caret == edit.selectionStart)
        SendMessageW(line, EM_SETSEL, static_cast<WPARAM>(end), start);
    else if (edit.selectionLength > 0)
        SendMessageW(line, EM_SETSEL, static_cast<WPARAM>(start), end);
    else {
        const auto caret = static_cast<WPARAM>(utf16Offset(edit.text, edit.caret));
        SendMessageW(line, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    }
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
    const Caret c = caretOf(edit_);
    show(comboBox_,
         input_.keyTyped(name_, c.selectionStart, c.selectionLength, c.caret, narrow(typed)));
    return true;
}

void DropDownInput::backspace() {
    const Caret c = caretOf(edit_);
    show(comboBox_, input_.backspacePressed(name_, c.selectionStart, c.selectionLength, c.caret));
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
