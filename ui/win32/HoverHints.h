#pragma once

#include "ControlNames.h"
#include "HintMachine.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quendra::win32 {

// The window's hover hints (form::HintMachine) shown in the platform's tooltip box: fed the
// control under the mouse and the input that hides a hint, and running the machine's timers
// as the owner's WM_TIMER.
class HoverHints : private form::HintShell {
public:
    // controlAt: the control under a point of the screen, empty where there is none.
    HoverHints(HWND owner, const FormModel& model,
               std::function<ControlName(POINT screen)> controlAt);
    ~HoverHints() override;
    HoverHints(const HoverHints&) = delete;
    HoverHints& operator=(const HoverHints&) = delete;

    void setFont(HFONT font);
    // Sees every message the window's thread takes, before it is dispatched.
    void observe(const MSG& message);
    // The owner's WM_TIMER; true where the timer was the hints'.
    bool timer(UINT_PTR id);
    void hide() { machine_.dismiss(); }

private:
    void moved(HWND window, POINT screen);

    void showTip(const char* text, form::ScreenPoint pointer) override;
    void hideTip() override;
    void startTimer(form::HintTimer timer, int ms) override;
    void stopTimer(form::HintTimer timer) override;

    HWND owner_;
    std::function<ControlName(POINT)> controlAt_;
    form::HintMachine machine_;
    HWND tip_ = nullptr;
    std::wstring text_;
};

} // namespace quendra::win32
