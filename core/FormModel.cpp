#include "FormModel.h"

#include "ControlTable.h"
#include "DropDownTyping.h"

#include <algorithm>
#include <stdexcept>

namespace quendra {

namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return "label";
    case ControlKind::Edit:
        return "edit field";
    case ControlKind::CheckBox:
        return "check box";
    case ControlKind::DropDown:
        return "drop-down";
    case ControlKind::Button:
        return "button";
    case ControlKind::Slider:
        return "slider";
    case ControlKind::RadioGroup:
        return "radio group";
    case ControlKind::GroupBox:
        return "group box";
    }
    return "control";
}

} // namespace

FormModel::FormModel() : controls_(initialControls()) {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        index_.emplace(controls_[i].name, i);
}

bool FormModel::has(std::string_view name) const {
    return index_.find(std::string(name)) != index_.end();
}

const ControlState& FormModel::control(std::string_view name) const {
    const auto it = index_.find(std::string(name));
    if (it == index_.end())
        throw std::invalid_argument("FormModel: no control named \"" + std::string(name) + "\"");
    return controls_[it->second];
}

ControlState& FormModel::mutableControl(std::string_view name) {
    return const_cast<ControlState&>(control(name));
}

ControlState& FormModel::mutableControl(std::string_view name, ControlKind expected) {
    ControlState& c = mutableControl(name);
    if (c.kind != expected)
        throw std::logic_error("FormModel: " + c.name + " is a " + kindName(c.kind) + ", not a " +
                               kindName(expected));
    return c;
}

void FormModel::setText(std::string_view name, std::string text) {
    ControlState& c = mutableControl(name);
    if (c.kind != ControlKind::Edit && c.kind != ControlKind::DropDown)
        throw std::logic_error("FormModel: " + c.name + " has no text");
    if (c.kind == ControlKind::DropDown) {
        const int entry = DropDownTyping::exactEntry(c.items, text);
        setDropDown(name, std::move(text), entry);
        return;
    }
    if (c.text == text)
        return;
    c.text = std::move(text);
    notify(c.name, Field::Text);
}

void FormModel::setDropDown(std::string_view name, std::string text, int currentEntry) {
    ControlState& c = mutableControl(name, ControlKind::DropDown);
    if (currentEntry < -1 || currentEntry >= static_cast<int>(c.items.size()))
        throw std::out_of_range("FormModel: entry " + std::to_string(currentEntry) +
                                " is not an entry of " + c.name);
    const bool textChanged = c.text != text;
    const bool entryChanged = c.currentEntry != currentEntry;
    c.text = std::move(text);
    c.currentEntry = currentEntry;
    if (textChanged)
        notify(c.name, Field::Text);
    if (entryChanged)
        notify(c.name, Field::CurrentEntry);
}

void FormModel::setChecked(std::string_view name, bool checked) {
    ControlState& c = mutableControl(name, ControlKind::CheckBox);
    if (c.checked == checked)
        return;
    c.checked = checked;
    notify(c.name, Field::Checked);
}

void FormModel::setItemIndex(std::string_view name, int index) {
    ControlState& c = mutableControl(name, ControlKind::RadioGroup);
    if (index < 0 || index >= static_cast<int>(c.items.size()))
        throw std::out_of_range("FormModel: " + c.name + " has no item " + std::to_string(index));
    if (c.itemIndex == index)
        return;
    c.itemIndex = index;
    notify(c.name, Field::ItemIndex);
}

void FormModel::setPosition(std::string_view name, int position) {
    ControlState& c = mutableControl(name, ControlKind::Slider);
    position = std::clamp(position, c.minimum, c.maximum);
    if (c.position == position)
        return;
    c.position = position;
    notify(c.name, Field::Position);
}

void FormModel::setEnabled(std::string_view name, bool enabled) {
    ControlState& c = mutableControl(name);
    if (c.enabled == enabled)
        return;
    c.enabled = enabled;
    notify(c.name, Field::Enabled);
}

void FormModel::setVisible(std::string_view name, bool visible) {
    ControlState& c = mutableControl(name);
    if (c.visible == visible)
        return;
    c.visible = visible;
    notify(c.name, Field::Visible);
}

void FormModel::tellAll(const Listener& listener) const {
    // What is shown first, then what it holds.
    for (const ControlState& c : controls_)
        for (Field f : {Field::Visible, Field::Enabled, Field::Text, Field::CurrentEntry,
                        Field::Checked, Field::ItemIndex, Field::Position})
            listener(c.name, f);
}

int FormModel::subscribe(Listener listener) {
    const int id = nextListenerId_++;
    listeners_.emplace_back(id, std::move(listener));
    return id;
}

void FormModel::unsubscribe(int id) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [id](const auto& entry) { return entry.first == id; }),
                     listeners_.end());
}

void FormModel::notify(const std::string& name, Field field) {
    for (const auto& entry : listeners_)
        entry.second(name, field);
}

} // namespace quendra
