#pragma once

#include "ControlState.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quendra {

// The state of every working control of the main window, keyed by control name.
// A name that is not a control of the window is a programming error and throws
// std::invalid_argument naming it; a write of the wrong kind throws std::logic_error.
class FormModel {
public:
    using Listener = std::function<void(const std::string& name, Field field)>;

    FormModel(); // the initial state of the window

    bool has(std::string_view name) const;
    const ControlState& control(std::string_view name) const;
    const std::vector<ControlState>& controls() const { return controls_; }

    const std::string& text(std::string_view name) const { return control(name).text; }
    bool checked(std::string_view name) const { return control(name).checked; }
    int itemIndex(std::string_view name) const { return control(name).itemIndex; }
    int currentEntry(std::string_view name) const { return control(name).currentEntry; }
    int position(std::string_view name) const { return control(name).position; }
    bool enabled(std::string_view name) const { return control(name).enabled; }
    bool visible(std::string_view name) const { return control(name).visible; }

    // Edit field or drop-down. A drop-down's current entry follows a text set this way:
    // the entry that equals the text exactly, or none.
    void setText(std::string_view name, std::string text);
    // Drop-down text and current entry together, as typing or picking leaves them.
    void setDropDown(std::string_view name, std::string text, int currentEntry);
    void setChecked(std::string_view name, bool checked);
    void setItemIndex(std::string_view name, int index);   // throws std::out_of_range
    void setPosition(std::string_view name, int position); // clamped into the slider's range
    void setEnabled(std::string_view name, bool enabled);
    void setVisible(std::string_view name, bool visible);

    // Every write that changes a value notifies each listener once per changed field.
    int subscribe(Listener listener);
    void unsubscribe(int id);
    // Tells a listener every field of every control, in the model's order, as if each had just
    // changed: how a window takes on the whole model at once.
    void tellAll(const Listener& listener) const;

private:
    ControlState& mutableControl(std::string_view name, ControlKind expected);
    ControlState& mutableControl(std::string_view name);
    void notify(const std::string& name, Field field);

    std::vector<ControlState> controls_;
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListenerId_ = 1;
};

} // namespace quendra
