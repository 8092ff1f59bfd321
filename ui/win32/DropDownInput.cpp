#include "DropDownInput.h"

#include "ControlWalk.h"
#include "Utf16.h"

#include <commctrl.h>

namespace quendra::win32 {

namespace {

// Windows' wide text as the core's UTF-16: wchar_t is a UTF-16 unit on Windows.
std::u16string_view utf16(std::wstring_view wide) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return {reinterpret_cast<const char16_t*>(wide.data()), wide.size()};
}

} // namespace

ComboBoxView::ComboBoxView(HWND comboBox)
    : comboBox_(comboBox), line_(DropDownInput::editOf(comboBox)) {}

std::string ComboBoxView::text() const {
    return utf8From(DropDownInput::textOf(line_));
}

// Windows keeps no caret apart from the selection: it is at the selection's end.
TextSelection ComboBoxView::selection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(line_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const std::wstring text = DropDownInput::textOf(line_);
    return toUtf8(utf16(text), {start, end - start, end});
}

int ComboBoxView::currentEntry() const {
    return static_cast<int>(SendMessageW(comboBox_, CB_GETCURSEL, 0, 0));
}

void ComboBoxView::setCurrentEntry(int entry) {
    SendMessageW(comboBox_, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

void ComboBoxView::setText(const std::string& text) {
    SetWindowTextW(line_, wideFrom(text).c_str());
}

// The edit's selection runs from its first offset to its second, where the caret is.
void ComboBoxView::select(const std::string& text, const TextSelection& utf8) {
    const TextSelection at = toUtf16(text, utf8);
    SendMessageW(line_, EM_SETSEL, static_cast<WPARAM>(at.anchor()),
                 static_cast<LPARAM>(at.active()));
}

DropDownInput::DropDownInput(HWND comboBox, ControlName name, form::ControlWalk& walk)
    : view_(comboBox), name_(name), walk_(walk) {
    SetWindowSubclass(editOf(comboBox), editProc, 1, reinterpret_cast<DWORD_PTR>(this));
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

bool DropDownInput::character(wchar_t unit) {
    if (isHighSurrogate(unit)) {
        highSurrogate_ = unit; // the character completes with the next unit
        return true;
    }
    std::wstring typed;
    if (isLowSurrogate(unit) && highSurrogate_)
        typed += highSurrogate_;
    highSurrogate_ = 0;
    typed += unit;
    return walk_.typed(name_, utf8From(typed));
}

LRESULT CALLBACK DropDownInput::editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self) {
    auto* input = reinterpret_cast<DropDownInput*>(self);
    if (message == WM_CHAR && wParam == VK_BACK) {
        input->walk_.backspace(input->name_);
        return 0;
    }
    if (message == WM_CHAR && input->character(static_cast<wchar_t>(wParam)))
        return 0;
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(edit, editProc, 1);
    return DefSubclassProc(edit, message, wParam, lParam);
}

} // namespace quendra::win32
