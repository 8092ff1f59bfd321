#pragma once

#include "ControlToolkit.h"
#include "FormActions.h"

#include <string>
#include <string_view>
#include <vector>

namespace quendra::form {

// The one walk over the window's controls that every shell runs through its toolkit: making them
// in the stacking order, placing them, mirroring the model into them, and taking the person's
// input on them into the core: what a button does, which drop a field takes, what counts as
// typing in a drop-down.
class ControlWalk {
public:
    ControlWalk(FormModel& model, FormActions& actions, ControlToolkit& toolkit);
    ~ControlWalk();
    ControlWalk(const ControlWalk&) = delete;
    ControlWalk& operator=(const ControlWalk&) = delete;

    // Makes every control in the stacking order, then the pictures and the credit lines, places
    // them at `scale` and shows the model in them; from then on every change of the model.
    void make(double scale);
    // Every part placed anew at another scale, where the density changes.
    void place(double scale);
    // Shows one field of the model. What the window shows already is left untouched, and what
    // the toolkit reports meanwhile is no input.
    void mirror(const std::string& control, Field field);

    // The person's input, as the toolkit reports it.
    void clicked(const Part& part); // a check box, a radio button or a button
    void moved(ControlName slider);
    void edited(ControlName field); // a field's or drop-down's text, other than by typing
    void picked(ControlName dropDown, int entry);
    // Typed into a drop-down: taken where every character is one a person types (no control
    // character), one at a time; false leaves the keys to the toolkit.
    bool typed(ControlName dropDown, std::string_view text);
    void backspace(ControlName dropDown);
    // Files dragged onto a field, each a path (empty for an item that is no local file): only a
    // drop of exactly one file is taken.
    bool takesDrop(ControlName field, const std::vector<std::string>& files) const;
    void dropped(ControlName field, const std::vector<std::string>& files);

    // "Start encoding": the command built from the model and started; a failed start is told,
    // once it is known to have failed.
    void Button1Click();
    // The toolkit's call back while starts are pending (ControlToolkit::followStartsIn).
    void startsFollowed();

private:
    std::optional<AccessibleText> accessibleText(ControlName control) const;
    // Where a part goes at a scale: a control or radio button, a picture or a credit line.
    ControlPlace placeOf(const Part& part, double scale);
    ControlPlace decorationPlace(const Part& part, double scale);
    ControlPlace placeIn(ControlName parent, const PixelRect& inParent, double scale) const;
    void show(const Part& part, ControlToolkit::Flag flag, bool on);
    void mirrorText(const ControlState& control);
    void mirrorButtons(const ControlState& group);
    void choose(Chooser chooser);
    void followWhilePending();
    void tell(const StartOutcome& outcome);

    FormModel& model_;
    FormActions& actions_;
    ControlToolkit& toolkit_;
    int listener_ = 0;
    int mirroring_ = 0;
    bool following_ = false; // a call back is asked for
};

} // namespace quendra::form
