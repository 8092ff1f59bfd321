#pragma once

// Drives the real Project1.exe from outside, as a person would: the program runs as its own
// process, and the test moves the mouse, clicks and types through Windows' input queue
// (SendInput), then reads what the window shows through the ordinary window functions.

#include "ControlNames.h"
#include "FormModel.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace wintest {

class RunningWindow {
public:
    // Starts the program in `folder` (its current directory) with these environment variables
    // added, and waits for its window.
    RunningWindow(const std::wstring& program, const std::wstring& folder,
                  const std::vector<std::pair<std::wstring, std::wstring>>& environment = {});
    ~RunningWindow();
    RunningWindow(const RunningWindow&) = delete;
    RunningWindow& operator=(const RunningWindow&) = delete;

    HWND frame() const { return frame_; }
    HANDLE process() const { return process_.hProcess; }
    HWND control(quendra::ControlName name) const;
    HWND radioButton(quendra::ControlName group, int index) const;
    // The program's shown top-level window with this caption and class (nullptr: any class).
    HWND topLevel(const std::wstring& caption, const wchar_t* className = nullptr) const;
    // The program's shown tooltip, if any.
    HWND shownTip() const;
    HWND focus() const;
    bool alive() const;

    // The initial state's model: the names and identifiers of the program's controls.
    const quendra::FormModel& model() const { return model_; }

private:
    quendra::FormModel model_;
    PROCESS_INFORMATION process_{};
    HWND frame_ = nullptr;
    HWND client_ = nullptr;
};

// Input, through Windows' input queue.
void moveMouse(HWND window, POINT inside);
void click(HWND window, POINT inside);
void clickCentre(HWND window);
// A check box or radio button on its mark.
void clickMark(HWND window);
void pressKey(WORD key, bool shift = false, bool control = false);
void typeText(const std::wstring& text);

// Reading back.
std::wstring textOf(HWND window);
bool checked(HWND window);
bool shown(HWND window);

// Waits, while letting time pass, until the condition holds; false when it never did within a
// generous bound (the bound keeps a broken run from hanging; it measures nothing).
bool waitUntil(const std::function<bool()>& condition, DWORD boundMs = 10000);
// Lets the program take what has been sent so far.
void settle(DWORD ms = 150);

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);
// The folder of the running test program, where Project1.exe and the recording lame.bin are.
std::wstring programFolder();

} // namespace wintest
