#include "EventWiring.h"

#include "CouplingRules.h"

namespace quendra {

void EventWiring::runRule(std::string_view control) {
    if (CouplingRules::Rule rule = CouplingRules::ruleFor(control))
        rule(model_);
}

void EventWiring::checkedChanged(std::string_view control, bool checked) {
    if (model_.checked(control) == checked)
        return;
    model_.setChecked(control, checked);
    runRule(control);
}

void EventWiring::itemIndexChanged(std::string_view control, int index) {
    if (model_.itemIndex(control) == index)
        return;
    model_.setItemIndex(control, index);
    runRule(control);
}

void EventWiring::positionChanged(std::string_view control, int position) {
    model_.setPosition(control, position);
}

void EventWiring::textChanged(std::string_view control, std::string text) {
    if (model_.control(control).kind == ControlKind::DropDown) {
        // Edits other than typing leave no entry current, so a later completion reports.
        model_.setDropDown(control, std::move(text), -1);
        runRule(control);
        return;
    }
    model_.setText(control, std::move(text));
}

DropDownEdit EventWiring::current(std::string_view dropDown, const TextSelection& selection) const {
    const ControlState& c = model_.control(dropDown);
    return DropDownEdit{c.text, selection, c.currentEntry};
}

DropDownEdit EventWiring::apply(std::string_view dropDown, const DropDownOutcome& outcome) {
    model_.setDropDown(dropDown, outcome.edit.text, outcome.edit.currentEntry);
    if (outcome.changeReported)
        runRule(dropDown);
    DropDownEdit shown = outcome.edit;
    shown.currentEntry =
        DropDownTyping::shownEntry(model_.control(dropDown).items, shown.text, shown.currentEntry);
    return shown;
}

DropDownEdit EventWiring::keyTyped(std::string_view dropDown, const TextSelection& selection,
                                   std::string_view character) {
    const DropDownEdit before = current(dropDown, selection);
    return apply(dropDown, DropDownTyping::type(model_.control(dropDown).items, before, character));
}

DropDownEdit EventWiring::backspacePressed(std::string_view dropDown,
                                           const TextSelection& selection) {
    const DropDownEdit before = current(dropDown, selection);
    return apply(dropDown, DropDownTyping::backspace(model_.control(dropDown).items, before));
}

DropDownEdit EventWiring::entryPicked(std::string_view dropDown, int index) {
    const DropDownEdit before = current(dropDown, {});
    return apply(dropDown, DropDownTyping::pick(model_.control(dropDown).items, before, index));
}

} // namespace quendra
