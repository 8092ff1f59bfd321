#pragma once

#include "ControlNames.h"
#include "FormModel.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quendra::win32 {

// Hover hints with the window's own timing (form::kHintTimings), shown in the platform's tooltip
// box: a hint appears once the mouse has rested on a hinted control, at once when the mouse
// moves on to another hinted control while a hint is shown or has just gone, and goes away
// after a few seconds, at a click, a key or the wheel. Which hint a control shows, and that a
// disabled one shows none, is the window description's (form::hintOver).
class HoverHints {
public:
    // controlAt: the control under a point of the screen, empty where there is none.
    HoverHints(HWND owner, const FormModel& model,
               std::function<ControlName(POINT screen)> controlAt);
    ~HoverHints();
    HoverHints(const HoverHints&) = delete;
    HoverHints& operator=(const HoverHints&) = delete;

    void setFont(HFONT font);
    // Sees every message the window's thread takes, before it is dispatched.
    void observe(const MSG& message);
    // The owner's WM_TIMER; true where the timer was the hints'.
    bool timer(UINT_PTR id);
    void hide();

    ControlName active() const { return active_; }
    HWND tipWindow() const { return tip_; }

private:
    void moved(HWND window, POINT screen);
    void showNow();

    HWND owner_;
    const FormModel& model_;
    std::function<ControlName(POINT)> controlAt_;
    HWND tip_ = nullptr;
    ControlName active_;  // the hinted control under the mouse
    ControlName hovered_; // the control under the mouse inside it
    POINT at_{};
    std::wstring text_;
    bool shown_ = false;
    bool moveOn_ = false; // a hint went away a moment ago: the next one shows at once
};

} // namespace quendra::win32
