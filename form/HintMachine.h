#pragma once

#include "ControlNames.h"
#include "LayoutScale.h"

#include <string>

namespace quendra {
class FormModel;
}

namespace quendra::form {

// When hints come and go: a hint appears once the mouse has rested on its control, at once
// when the mouse moves on to another hinted control while a hint is shown or within a moment
// of one going, and goes away after a few seconds or at a key, a click or the wheel.
struct HintTimings {
    int restMs;
    int showMs;
    int moveOnMs;
};
inline constexpr HintTimings kHintTimings{500, 2500, 400};

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint& o) const { return x == o.x && y == o.y; }
};

enum class HintTimer { Rest, Expire, MoveOn };

// What a person does with the mouse's buttons and wheel and with the keys, as a shell reports it.
enum class PersonInput { ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp };

// What a window shell does for the hints: draws the tip and runs single-shot timers that it
// reports back with HintMachine::timerFired.
class HintShell {
public:
    virtual ~HintShell() = default;
    // pointer: where the mouse came to rest; the shell sizes the tip for the text and places it
    // with tipPlace.
    virtual void showTip(const char* text, ScreenPoint pointer) = 0;
    virtual void hideTip() = 0;
    virtual void startTimer(HintTimer timer, int ms) = 0;
    virtual void stopTimer(HintTimer timer) = 0;
};

// The hover hints of the window without a toolkit, fed what the mouse is over. Which hint a
// control shows, and that a disabled one shows none, is hintOver's.
class HintMachine {
public:
    HintMachine(const FormModel& model, HintShell& shell);

    // The mouse is over a control (empty: over none), at a point of the screen.
    void pointerAt(ControlName control, ScreenPoint screen);
    // A press of a key or a mouse button, or the wheel: a shown hint goes; letting go keeps it.
    void input(PersonInput input);
    // The window going away: a shown hint goes.
    void dismiss();
    void timerFired(HintTimer timer);

    // The hinted control under the mouse whose hint is waiting or showing; empty for none.
    ControlName active() const { return active_; }
    bool shown() const { return shown_; }

private:
    void showNow();
    void hide();

    const FormModel& model_;
    HintShell& shell_;
    std::string active_;
    std::string hovered_; // the control under the mouse, inside the active one
    ScreenPoint at_;
    bool shown_ = false;
    bool moveOn_ = false; // a hint went a moment ago: the next one shows at once
};

// Where a tip of a size goes for the pointer: below it, as tooltips go, but always inside the
// screen's area; above the pointer where it would run off the bottom.
ScreenPoint tipPlace(ScreenPoint pointer, int tipWidth, int tipHeight, const PixelRect& area);

} // namespace quendra::form
