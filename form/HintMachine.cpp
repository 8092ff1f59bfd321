#include "HintMachine.h"

#include "Hints.h"

#include <algorithm>

namespace quendra::form {

HintMachine::HintMachine(const FormModel& model, HintShell& shell) : model_(model), shell_(shell) {}

void HintMachine::pointerAt(ControlName control, ScreenPoint screen) {
    const ControlName owner = control.empty() ? ControlName() : hintOwner(model_, control);
    hovered_ = control;
    if (owner == active_) {
        if (!shown_)
            at_ = screen; // the hint appears where the mouse came to rest
        return;
    }
    // Off the control whose hint was waiting or showing: that hint goes.
    const bool wasShown = shown_;
    hide();
    active_ = owner;
    at_ = screen;
    if (!owner.empty() && !hintOver(model_, control))
        active_.clear(); // a disabled control shows none
    if (active_.empty()) {
        if (wasShown) {
            moveOn_ = true;
            shell_.startTimer(HintTimer::MoveOn, kHintTimings.moveOnMs);
        }
        return;
    }
    if (wasShown || moveOn_)
        showNow();
    else
        shell_.startTimer(HintTimer::Rest, kHintTimings.restMs);
}

void HintMachine::input(PersonInput input) {
    if (input != PersonInput::ButtonUp && input != PersonInput::KeyUp)
        hide();
}

void HintMachine::dismiss() {
    hide();
}

void HintMachine::timerFired(HintTimer timer) {
    switch (timer) {
    case HintTimer::Rest:
        showNow();
        break;
    case HintTimer::Expire:
        hide();
        break;
    case HintTimer::MoveOn:
        moveOn_ = false;
        break;
    }
}

void HintMachine::showNow() {
    const char* text = hovered_.empty() ? nullptr : hintOver(model_, hovered_);
    if (active_.empty() || !text)
        return;
    shell_.stopTimer(HintTimer::MoveOn);
    moveOn_ = false;
    shell_.showTip(text, at_);
    shown_ = true;
    shell_.startTimer(HintTimer::Expire, kHintTimings.showMs);
}

void HintMachine::hide() {
    shell_.stopTimer(HintTimer::Rest);
    shell_.stopTimer(HintTimer::Expire);
    if (!shown_)
        return;
    shell_.hideTip();
    shown_ = false;
}

ScreenPoint tipPlace(ScreenPoint pointer, int tipWidth, int tipHeight, const PixelRect& area) {
    ScreenPoint at{pointer.x + 2, pointer.y + 16};
    at.x = std::max(area.left, std::min(at.x, area.left + area.width - tipWidth));
    if (at.y + tipHeight > area.top + area.height)
        at.y = pointer.y - 4 - tipHeight;
    return at;
}

} // namespace quendra::form
