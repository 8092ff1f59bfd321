#include "ControlWalk.h"

#include "CaptionPlace.h"
#include "Roles.h"
#include "Utf16.h"

#include <algorithm>

namespace quendra::form {

namespace {

using Flag = ControlToolkit::Flag;

// How often a pending start of the encoder is looked at: soon enough that a terminal's refusal
// passes unnoticed by the person, seldom enough to cost nothing.
constexpr int kFollowMilliseconds = 50;

// Input the toolkit reports while the walk writes to it came from the walk, not the person.
class Mirroring {
public:
    explicit Mirroring(int& depth) : depth_(depth) { ++depth_; }
    ~Mirroring() { --depth_; }
    Mirroring(const Mirroring&) = delete;
    Mirroring& operator=(const Mirroring&) = delete;

private:
    int& depth_;
};

// U+0000 to U+001F and U+007F to U+009F: a key's command, never a character typed.
bool isControlCharacter(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character.front());
    return lead < 0x20 || lead == 0x7F ||
           (lead == 0xC2 && character.size() == 2 &&
            static_cast<unsigned char>(character[1]) < 0xA0);
}

std::vector<std::string_view> characters(std::string_view text) {
    std::vector<std::string_view> split;
    while (!text.empty()) {
        split.push_back(
            text.substr(0, utf8SequenceLength(static_cast<unsigned char>(text.front()))));
        text.remove_prefix(split.back().size());
    }
    return split;
}

} // namespace

ControlWalk::ControlWalk(FormModel& model, FormActions& actions, ControlToolkit& toolkit)
    : model_(model), actions_(actions), toolkit_(toolkit) {}

ControlWalk::~ControlWalk() {
    model_.unsubscribe(listener_);
}

void ControlWalk::make(double scale) {
    const Placing placing = [this, scale](const Part& part) { return placeOf(part, scale); };
    for (ControlName name : stackingOrder(model_))
        toolkit_.make({model_.control(name), placementOf(name)->parent, placing,
                       accessibleText(name), takesDroppedFiles(name)});
    for (const PicturePlacement& picture : pictures())
        toolkit_.makePicture(picture, placing);
    for (const CreditLine& line : creditLines())
        toolkit_.makeCreditLine(line, placing);
    const auto mirrorField = [this](const std::string& name, Field field) { mirror(name, field); };
    model_.tellAll(mirrorField);
    listener_ = model_.subscribe(mirrorField);
}

std::optional<AccessibleText> ControlWalk::accessibleText(ControlName control) const {
    AccessibleText text{accessibleName(model_, control), accessibleDescription(model_, control)};
    if (text.name.empty() && text.description.empty())
        return std::nullopt;
    return text;
}

void ControlWalk::place(double scale) {
    for (const Placement& p : placements()) {
        toolkit_.place({p.name}, placeOf({p.name}, scale));
        const ControlState& c = model_.control(p.name);
        for (int i = 0; c.kind == ControlKind::RadioGroup && i < int(c.items.size()); ++i)
            toolkit_.place({p.name, i}, placeOf({p.name, i}, scale));
    }
    for (const PicturePlacement& p : pictures())
        toolkit_.place({p.name}, placeOf({p.name}, scale));
    for (const CreditLine& line : creditLines())
        toolkit_.place({line.name}, placeOf({line.name}, scale));
}

ControlPlace ControlWalk::placeOf(const Part& part, double scale) {
    if (!model_.has(part.control))
        return decorationPlace(part, scale);
    const ControlState& c = model_.control(part.control);
    if (part.button != Part::kWhole) {
        const auto button = static_cast<std::size_t>(part.button);
        const int room = toolkit_.captionRoom(part, c.kind, c.items.at(button));
        return placeIn(c.name, radioButtonPlace(model_, c.name, button, scale, room), scale);
    }
    const int room = growsWithCaption(c.kind) ? toolkit_.captionRoom(part, c.kind, c.caption) : 0;
    return placeIn(placementOf(c.name)->parent, captionPlace(model_, c.name, scale, room), scale);
}

ControlPlace ControlWalk::decorationPlace(const Part& part, double scale) {
    for (const PicturePlacement& p : pictures())
        if (p.name == part.control)
            return placeIn(control::Form1, scaled(p.rect, scale), scale);
    const auto line = std::find_if(creditLines().begin(), creditLines().end(),
                                   [&](const CreditLine& c) { return c.name == part.control; });
    const int room = toolkit_.captionRoom(part, ControlKind::Label, line->text);
    return placeIn(control::Form1, creditPlace(*line, scale, room), scale);
}

ControlPlace ControlWalk::placeIn(ControlName parent, const PixelRect& inParent,
                                  double scale) const {
    ControlPlace place{inParent, inParent};
    for (ControlName box = parent; box != control::Form1; box = placementOf(box)->parent) {
        const PixelRect origin = scaled(placementOf(box)->rect, scale);
        place.inWindow.left += origin.left;
        place.inWindow.top += origin.top;
    }
    return place;
}

void ControlWalk::mirror(const std::string& name, Field field) {
    const ControlState& c = model_.control(name);
    const Mirroring quiet(mirroring_);
    switch (field) {
    case Field::Visible:
        show({c.name}, Flag::Visible, c.visible);
        break;
    case Field::Enabled:
        show({c.name}, Flag::Enabled, c.enabled);
        break;
    case Field::Text:
    case Field::CurrentEntry:
        mirrorText(c);
        break;
    case Field::Checked:
        if (c.kind == ControlKind::CheckBox)
            show({c.name}, Flag::Checked, c.checked);
        break;
    case Field::ItemIndex:
        mirrorButtons(c);
        break;
    case Field::Position:
        if (c.kind == ControlKind::Slider && toolkit_.position(c.name) != c.position)
            toolkit_.setPosition(c.name, c.position);
        break;
    }
}

void ControlWalk::show(const Part& part, Flag flag, bool on) {
    if (toolkit_.flag(part, flag) != on)
        toolkit_.setFlag(part, flag, on);
}

void ControlWalk::mirrorText(const ControlState& control) {
    if (control.kind == ControlKind::DropDown)
        toolkit_.dropDown(control.name).mirror(control);
    else if (control.kind != ControlKind::Edit)
        return;
    else if (toolkit_.text(control.name) != control.text)
        toolkit_.setText(control.name, control.text);
    toolkit_.textMirrored(control.name);
}

// Tab enters a radio group at its checked button.
void ControlWalk::mirrorButtons(const ControlState& group) {
    for (std::size_t i = 0; group.kind == ControlKind::RadioGroup && i < group.items.size(); ++i) {
        const Part button{group.name, static_cast<int>(i)};
        const bool selected = button.button == group.itemIndex;
        show(button, Flag::Checked, selected);
        toolkit_.setTabStop(button, selected);
    }
}

void ControlWalk::clicked(const Part& part) {
    if (mirroring_)
        return;
    const ControlState& c = model_.control(part.control);
    switch (c.kind) {
    case ControlKind::CheckBox:
        actions_.input().checkedChanged(c.name, toolkit_.flag(part, Flag::Checked));
        break;
    case ControlKind::RadioGroup:
        actions_.input().itemIndexChanged(c.name, part.button);
        mirror(c.name, Field::ItemIndex); // the click checked its button itself
        break;
    case ControlKind::Button:
        if (const ButtonRole role = buttonRole(c.name); role.action == ButtonAction::StartEncoding)
            Button1Click();
        else if (role.action == ButtonAction::ChooseFile)
            choose(role.chooser);
        break;
    default:
        break;
    }
}

void ControlWalk::moved(ControlName slider) {
    if (!mirroring_)
        actions_.input().positionChanged(slider, toolkit_.position(slider));
}

void ControlWalk::edited(ControlName field) {
    if (mirroring_)
        return;
    const bool dropDown = model_.control(field).kind == ControlKind::DropDown;
    std::string text = dropDown ? toolkit_.dropDown(field).text() : toolkit_.text(field);
    if (text != model_.text(field))
        actions_.input().textChanged(field, std::move(text));
}

void ControlWalk::picked(ControlName dropDown, int entry) {
    if (!mirroring_ && entry >= 0)
        toolkit_.dropDown(dropDown).show(actions_.input().entryPicked(dropDown, entry));
}

bool ControlWalk::typed(ControlName dropDown, std::string_view text) {
    const std::vector<std::string_view> typedCharacters = characters(text);
    if (mirroring_ || typedCharacters.empty() ||
        std::any_of(typedCharacters.begin(), typedCharacters.end(), isControlCharacter))
        return false;
    DropDownView& view = toolkit_.dropDown(dropDown);
    // One character at a time, each seeing the state the one before left.
    for (std::string_view character : typedCharacters)
        view.show(actions_.input().keyTyped(dropDown, view.selection(), character));
    return true;
}

void ControlWalk::backspace(ControlName dropDown) {
    DropDownView& view = toolkit_.dropDown(dropDown);
    if (!mirroring_)
        view.show(actions_.input().backspacePressed(dropDown, view.selection()));
}

bool ControlWalk::takesDrop(ControlName field, const std::vector<std::string>& files) const {
    return takesDroppedFiles(field) && files.size() == 1 && !files.front().empty();
}

void ControlWalk::dropped(ControlName field, const std::vector<std::string>& files) {
    if (!mirroring_ && takesDrop(field, files))
        actions_.fileChosen(field, files.front());
}

void ControlWalk::choose(Chooser chooser) {
    const ChooserSettings& settings = chooserSettings(chooser);
    if (std::string path = toolkit_.chooseFile(settings); !path.empty())
        actions_.chooserConfirmed(settings.field, std::move(path));
}

void ControlWalk::Button1Click() {
    const StartOutcome outcome = actions_.startEncoding();
    followWhilePending();
    tell(outcome);
}

void ControlWalk::startsFollowed() {
    following_ = false;
    const std::vector<StartOutcome> outcomes = actions_.followStarts();
    // Asked for before telling: a message box's own event loop goes on following the others.
    followWhilePending();
    for (const StartOutcome& outcome : outcomes)
        tell(outcome);
}

void ControlWalk::followWhilePending() {
    if (!following_ && actions_.startsPending()) {
        following_ = true;
        toolkit_.followStartsIn(kFollowMilliseconds);
    }
}

void ControlWalk::tell(const StartOutcome& outcome) {
    if (!outcome.started && !outcome.pending)
        toolkit_.tellStartFailed(outcome.failureText);
}

} // namespace quendra::form
