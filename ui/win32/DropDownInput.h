#pragma once

#include "ControlNames.h"
#include "DropDownView.h"

#include <windows.h>

#include <string>

namespace quendra::form {
class ControlWalk;
}

namespace quendra::win32 {

// A drop-down's entry, line and selection as the core reads and writes them. The owner keeps
// its writes from counting as user input.
class ComboBoxView : public DropDownView {
public:
    explicit ComboBoxView(HWND comboBox);

    std::string text() const override;
    TextSelection selection() const override;

protected:
    int currentEntry() const override;
    void setCurrentEntry(int entry) override;
    void setText(const std::string& text) override;
    void select(const std::string& text, const TextSelection& selection) override;

private:
    HWND comboBox_;
    HWND line_;
};

// Hands the typing in one editable drop-down to the walk before the edit line sees it: each
// character, whole where it comes in two UTF-16 units, and Backspace. What the walk leaves, and
// everything else (Delete, paste, cut, undo, the list), keeps the platform's handling and
// reaches the owner as a changed text or a pick.
class DropDownInput {
public:
    DropDownInput(HWND comboBox, ControlName name, form::ControlWalk& walk);
    DropDownInput(const DropDownInput&) = delete;
    DropDownInput& operator=(const DropDownInput&) = delete;

    ComboBoxView& view() { return view_; }
    static HWND editOf(HWND comboBox);
    static std::wstring textOf(HWND window);

private:
    static LRESULT CALLBACK editProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    bool character(wchar_t unit);

    ComboBoxView view_;
    ControlName name_;
    form::ControlWalk& walk_;
    wchar_t highSurrogate_ = 0;
};

} // namespace quendra::win32
