#include "Roles.h"

#include "FormModel.h"
#include "FormValues.h"
#include "Hints.h"
#include "Placements.h"

#include <algorithm>

namespace quendra::form {

namespace {

const std::vector<ButtonRole> kButtonRoles = {
    {control::Button1, ButtonAction::StartEncoding, Chooser::InputFile},
    {control::Button2, ButtonAction::ChooseFile, Chooser::InputFile},
    {control::Button3, ButtonAction::ChooseFile, Chooser::OutputFile},
};

const ControlName kDropTargets[] = {control::Edit01, control::Edit02};

// The control whose caption names a field; for a tag field the placeholder that says which, and
// for a field with a unit the label beside it that shows the unit.
struct NamedBy {
    ControlName control;
    ControlName label;
    std::string_view placeholder;
    ControlName unit;
};

// clang-format off
const NamedBy kNamedBy[] = {
    {control::Edit01,     control::Label01,    {},                   {}},
    {control::Edit02,     control::Label02,    {},                   {}},
    {control::Edit03,     control::Label09,    placeholder::Title,   {}},
    {control::Edit04,     control::Label09,    placeholder::Artist,  {}},
    {control::Edit05,     control::Label09,    placeholder::Album,   {}},
    {control::Edit06,     control::Label09,    placeholder::Year,    {}},
    {control::Edit07,     control::Label09,    placeholder::Comment, {}},
    {control::Edit08,     control::Label09,    placeholder::Track,   {}},
    {control::ComboBox5,  control::Label09,    placeholder::Genre,   {}},
    {control::Edit09,     control::Label10,    {},                   {}},
    {control::Edit10,     control::Label11,    {},                   {}},
    {control::ComboBox1,  control::Label03,    {},                   {}},
    {control::ComboBox2,  control::Label04,    {},                   {}},
    {control::ComboBox3,  control::Label04,    {},                   {}},
    {control::ComboBox4,  control::Label04,    {},                   {}},
    {control::ComboBox6,  control::Label12,    {},                   {}},
    {control::TrackBar1,  control::Label05,    {},                   {}},
    {control::TrackBar2,  control::Label07,    {},                   {}},
    {control::ComboBox7,  control::CheckBox05, {},                   {}},
    {control::Edit15,     control::CheckBox08, {},                   control::Label17},
    {control::Edit11,     control::CheckBox10, {},                   control::Label13},
    {control::Edit12,     control::CheckBox11, {},                   control::Label14},
    {control::Edit13,     control::CheckBox12, {},                   control::Label15},
    {control::Edit14,     control::CheckBox13, {},                   control::Label16},
};
// clang-format on

// A slider and the label beside it that says which end is which.
struct SliderEnds {
    ControlName slider;
    ControlName ends;
};
const SliderEnds kSliderEnds[] = {
    {control::TrackBar1, control::Label06},
    {control::TrackBar2, control::Label08},
};

// "<title>" says "title".
std::string_view placeholderWord(std::string_view placeholder) {
    if (placeholder.size() >= 2 && placeholder.front() == '<' && placeholder.back() == '>')
        return placeholder.substr(1, placeholder.size() - 2);
    return placeholder;
}

} // namespace

const std::vector<ButtonRole>& buttonRoles() {
    return kButtonRoles;
}

ButtonRole buttonRole(ControlName button) {
    for (const ButtonRole& r : kButtonRoles)
        if (r.button == button)
            return r;
    return {button, ButtonAction::None, Chooser::InputFile};
}

bool takesDroppedFiles(ControlName field) {
    return std::find(std::begin(kDropTargets), std::end(kDropTargets), field) !=
           std::end(kDropTargets);
}

ControlName initialFocus(const FormModel& model) {
    for (ControlName stop : tabWalk())
        if (model.enabled(stop) && model.visible(stop))
            return stop;
    return {};
}

std::string accessibleName(const FormModel& model, ControlName control) {
    if (const ButtonRole role = buttonRole(control); role.action == ButtonAction::ChooseFile)
        return chooserSettings(role.chooser).title;
    for (const NamedBy& n : kNamedBy) {
        if (n.control != control)
            continue;
        std::string name = model.control(n.label).caption;
        if (!n.placeholder.empty())
            name.append(" ").append(placeholderWord(n.placeholder));
        if (!n.unit.empty())
            name.append(", ").append(model.control(n.unit).caption);
        return name;
    }
    return {};
}

std::string accessibleDescription(const FormModel& model, ControlName control) {
    std::string description;
    for (const SliderEnds& s : kSliderEnds)
        if (s.slider == control)
            description = model.control(s.ends).caption;
    for (const Hint& h : hints())
        if (h.control == control)
            description.append(description.empty() ? "" : ". ").append(h.text);
    return description;
}

ControlName namingLabel(const FormModel& model, ControlName control) {
    for (const NamedBy& n : kNamedBy) {
        if (n.control != control)
            continue;
        if (!n.placeholder.empty() || !n.unit.empty() ||
            model.control(n.label).kind != ControlKind::Label)
            return {};
        const auto first = std::find_if(std::begin(kNamedBy), std::end(kNamedBy),
                                        [&](const NamedBy& m) { return m.label == n.label; });
        return first->control == control ? n.label : ControlName();
    }
    return {};
}

ControlName namedBy(const FormModel& model, ControlName label) {
    // A label names only the first control it stands beside in the table, if any.
    const auto first = std::find_if(std::begin(kNamedBy), std::end(kNamedBy),
                                    [&](const NamedBy& n) { return n.label == label; });
    if (first == std::end(kNamedBy) || !model.has(first->control) ||
        namingLabel(model, first->control) != label)
        return {};
    return first->control;
}

std::vector<ControlName> stackingOrder(const FormModel& model) {
    std::vector<ControlName> order;
    const auto add = [&order](ControlName name) {
        if (!name.empty() && std::find(order.begin(), order.end(), name) == order.end())
            order.push_back(name);
    };
    for (ControlName stop : tabWalk()) {
        if (const ControlName box = placementOf(stop)->parent; box != control::Form1)
            add(box);
        add(namingLabel(model, stop));
        add(stop);
    }
    for (const ControlState& c : model.controls())
        add(c.name);
    return order;
}

} // namespace quendra::form
