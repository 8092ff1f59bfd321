#pragma once

#include "ChooserSettings.h"
#include "ControlState.h"
#include "DropDownView.h"
#include "LayoutScale.h"
#include "Placements.h"

#include <functional>
#include <optional>
#include <string>

namespace quendra::form {

// A control of the window, or one button of a radio group.
struct Part {
    static constexpr int kWhole = -1;
    ControlName control;
    int button = kWhole;
};

// Where a part goes: in the pixels of its parent (the window's client area, or the group box it
// sits in; a radio button's is its group), and in the client area's pixels.
struct ControlPlace {
    PixelRect inParent;
    PixelRect inWindow;
};

// Where the walk puts a part: in its table place, grown to the room its caption needs where it
// grows with its caption (asked of the toolkit then, so a part is measured once it is made).
using Placing = std::function<ControlPlace(const Part& part)>;

// What assistive technology announces for a control, beyond what the toolkit tells: a name
// (empty for the toolkit's own) and a description.
struct AccessibleText {
    std::string name;
    std::string description;
};

// A control for the toolkit to make, and what the walk decided about it.
struct Making {
    const ControlState& control;
    ControlName parent; // the window, Form1, or a group box, made already
    Placing placing;
    std::optional<AccessibleText> accessible; // none where the description adds nothing
    bool takesDrops; // takes files dragged onto it (the walk says which drop it takes)
};

// What a window shell does for the walk (ControlWalk), with its toolkit's calls and nothing
// more: it makes, places and shows the controls it is told to, reports the person's input to
// the walk and decides nothing.
class ControlToolkit {
public:
    enum class Flag { Visible, Enabled, Checked };

    virtual ~ControlToolkit() = default;

    // A control of the model in its state, each of its parts where `placing` puts it: a label,
    // check box, button or box with its caption, a field or drop-down with its text and entries,
    // a slider with its range, a radio group with a button for each entry; with what the walk
    // says of it beyond that.
    virtual void make(const Making& making) = 0;
    virtual void makePicture(const PicturePlacement& picture, const Placing& placing) = 0;
    virtual void makeCreditLine(const CreditLine& line, const Placing& placing) = 0;

    // The room, in pixels, a part's caption needs in the window's font, a mark included (a radio
    // button's kind is its group's, a credit line's a label's).
    virtual int captionRoom(const Part& part, ControlKind kind, const std::string& caption) = 0;
    // A made part placed anew (at another density).
    virtual void place(const Part& part, const ControlPlace& place) = 0;

    // What the window shows, read back so that the walk writes only what differs.
    virtual bool flag(const Part& part, Flag flag) const = 0;
    virtual void setFlag(const Part& part, Flag flag, bool on) = 0;
    // Whether Tab stops at a radio button; nothing the person sees, so set at every mirror.
    virtual void setTabStop(const Part& button, bool on) = 0;
    virtual std::string text(ControlName field) const = 0;
    virtual void setText(ControlName field, const std::string& text) = 0;
    virtual DropDownView& dropDown(ControlName dropDown) = 0;
    virtual int position(ControlName slider) const = 0;
    virtual void setPosition(ControlName slider, int position) = 0;
    // A field's or drop-down's text was mirrored, changed or not.
    virtual void textMirrored(ControlName) {}

    // A modal chooser with these settings: the chosen file's path, empty for a cancel.
    virtual std::string chooseFile(const ChooserSettings& settings) = 0;
    virtual void tellStartFailed(const std::string& text) = 0;
    // Has the walk's startsFollowed() called once, from the event loop, after about `milliseconds`:
    // a start of the encoder is being confirmed meanwhile, and the window goes on working. Only a
    // platform whose launcher confirms starts later needs it (Linux's; Windows' never does).
    virtual void followStartsIn(int /*milliseconds*/) {}
};

} // namespace quendra::form
