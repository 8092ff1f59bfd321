#include "FormModel.h"
#include "HintMachine.h"
#include "Hints.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

using namespace quendra;
using namespace quendra::form;

namespace {

// A shell as the windows are one: a tip that is shown or not, and single-shot timers.
class TipAndTimers : public HintShell {
public:
    std::optional<std::string> tip;
    ScreenPoint at;
    int shows = 0;
    std::set<HintTimer> running;
    int lastMs = 0;

    void showTip(const char* text, ScreenPoint pointer) override {
        tip = text;
        at = pointer;
        ++shows;
    }
    void hideTip() override { tip.reset(); }
    void startTimer(HintTimer timer, int ms) override {
        running.insert(timer);
        lastMs = ms;
    }
    void stopTimer(HintTimer timer) override { running.erase(timer); }
};

class HintMachineTest : public ::testing::Test {
protected:
    FormModel model;
    TipAndTimers shell;
    HintMachine machine{model, shell};

    // The shell's timer runs out.
    void fire(HintTimer timer) {
        ASSERT_EQ(shell.running.erase(timer), 1u);
        machine.timerFired(timer);
    }
    void restOn(ControlName control) {
        machine.pointerAt(control, {10, 10});
        fire(HintTimer::Rest);
        ASSERT_TRUE(shell.tip);
    }
    static std::string hintOf(ControlName control) {
        for (const Hint& h : hints())
            if (h.control == control)
                return h.text;
        return {};
    }
};

TEST_F(HintMachineTest, RestingShowsTheHintWhereTheMouseCameToRestUntilItExpires) {
    machine.pointerAt(control::CheckBox18, {100, 200});
    EXPECT_EQ(shell.running, std::set<HintTimer>{HintTimer::Rest});
    EXPECT_EQ(shell.lastMs, kHintTimings.restMs);
    machine.pointerAt(control::CheckBox18, {104, 203});
    EXPECT_FALSE(shell.tip);

    fire(HintTimer::Rest);
    EXPECT_EQ(shell.tip, hintOf(control::CheckBox18));
    EXPECT_EQ(shell.at, (ScreenPoint{104, 203}));
    EXPECT_EQ(shell.running, std::set<HintTimer>{HintTimer::Expire});
    EXPECT_EQ(shell.lastMs, kHintTimings.showMs);
    machine.pointerAt(control::CheckBox18, {120, 203}); // a shown tip stays where it is
    EXPECT_EQ(shell.at, (ScreenPoint{104, 203}));

    fire(HintTimer::Expire);
    EXPECT_FALSE(shell.tip);
    machine.pointerAt(control::CheckBox18, {121, 203}); // not again on the same control
    EXPECT_TRUE(shell.running.empty());
    EXPECT_EQ(machine.active(), control::CheckBox18);
}

TEST_F(HintMachineTest, MovingOnFromAShownHintShowsTheNextAtOnceWithinAMoment) {
    restOn(control::CheckBox18);
    machine.pointerAt(control::CheckBox19, {30, 40});
    EXPECT_EQ(shell.tip, hintOf(control::CheckBox19));
    EXPECT_EQ(shell.at, (ScreenPoint{30, 40}));

    // Between the buttons of one group the group's hint stays as it is.
    machine.pointerAt(control::RadioGroup3, {50, 60});
    const int shows = shell.shows;
    machine.pointerAt(control::RadioGroup3, {55, 60});
    EXPECT_EQ(shell.shows, shows);
    EXPECT_EQ(shell.tip, hintOf(control::RadioGroup3));
    EXPECT_EQ(shell.at, (ScreenPoint{50, 60}));

    // Off any hinted control the hint goes; the next shows at once within the moment only.
    machine.pointerAt(control::Label01, {0, 0});
    EXPECT_FALSE(shell.tip);
    EXPECT_EQ(shell.lastMs, kHintTimings.moveOnMs);
    machine.pointerAt(control::CheckBox20, {0, 0});
    EXPECT_EQ(shell.tip, hintOf(control::CheckBox20));
    EXPECT_FALSE(shell.running.count(HintTimer::MoveOn));

    machine.pointerAt({}, {0, 0});
    fire(HintTimer::MoveOn);
    machine.pointerAt(control::CheckBox21, {0, 0});
    EXPECT_FALSE(shell.tip);
    EXPECT_TRUE(shell.running.count(HintTimer::Rest));
}

TEST_F(HintMachineTest, AKeyOrAClickHidesAShownOrWaitingHint) {
    restOn(control::CheckBox02);
    machine.dismiss();
    EXPECT_FALSE(shell.tip);
    EXPECT_TRUE(shell.running.empty());

    machine.pointerAt(control::CheckBox03, {0, 0});
    machine.dismiss();
    EXPECT_TRUE(shell.running.empty());
    machine.pointerAt(control::CheckBox03, {1, 0}); // resting on after the click: none
    EXPECT_TRUE(shell.running.empty());
    EXPECT_FALSE(shell.tip);
}

TEST_F(HintMachineTest, PressingAKeyAButtonOrTheWheelHidesTheHintLettingGoDoesNot) {
    for (PersonInput press : {PersonInput::ButtonDown, PersonInput::Wheel, PersonInput::KeyDown}) {
        restOn(control::CheckBox02);
        machine.input(PersonInput::ButtonUp);
        machine.input(PersonInput::KeyUp);
        EXPECT_TRUE(shell.tip);
        machine.input(press);
        EXPECT_FALSE(shell.tip);
        machine.pointerAt({}, {0, 0});
    }
}

TEST_F(HintMachineTest, DisabledOrUnhintedControlsShowNone) {
    restOn(control::CheckBox18);
    for (ControlName control : {control::CheckBox14, control::Edit01, ControlName()}) {
        machine.pointerAt(control, {0, 0});
        EXPECT_FALSE(shell.tip) << control;
        EXPECT_FALSE(shell.running.count(HintTimer::Rest)) << control;
        EXPECT_TRUE(machine.active().empty()) << control;
    }

    model.setEnabled(control::CheckBox14, true); // within the moment after the last hint
    machine.pointerAt(control::CheckBox14, {0, 0});
    EXPECT_EQ(shell.tip, hintOf(control::CheckBox14));
}

TEST(TipPlace, BelowThePointerKeptOnTheScreenAndFlippedAboveAtTheBottom) {
    const PixelRect screen{0, 0, 800, 600};
    EXPECT_EQ(tipPlace({100, 100}, 200, 20, screen), (ScreenPoint{102, 116}));
    EXPECT_EQ(tipPlace({700, 100}, 200, 20, screen), (ScreenPoint{600, 116}));
    EXPECT_EQ(tipPlace({700, 570}, 200, 20, screen), (ScreenPoint{600, 546}));
    EXPECT_EQ(tipPlace({100, 564}, 200, 20, screen), (ScreenPoint{102, 580}));
    // Wider than the screen: flush with its left edge. A second screen starts elsewhere.
    EXPECT_EQ(tipPlace({100, 100}, 900, 20, screen), (ScreenPoint{0, 116}));
    EXPECT_EQ(tipPlace({1900, 100}, 200, 20, {1024, 0, 1000, 600}), (ScreenPoint{1824, 116}));
}

} // namespace
