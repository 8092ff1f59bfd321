#include "EventWiring.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

using namespace quendra;

namespace {

// What must hold after any sequence of changes a person could make on the window.
std::string brokenInvariant(const FormModel& m) {
    if (!m.checked("CheckBox21") && !m.checked("CheckBox22"))
        return "both block types off";
    int bitrateLists = 0;
    for (const char* box : {"ComboBox2", "ComboBox3", "ComboBox4"})
        bitrateLists += m.visible(box);
    if (bitrateLists > 1)
        return "more than one bitrate list visible";
    if (m.itemIndex("RadioGroup1") == 1 && bitrateLists != 0)
        return "a bitrate list visible in VBR";
    if (m.itemIndex("RadioGroup1") == 1 && !m.visible("TrackBar1"))
        return "no VBR slider in VBR";
    if (m.checked("CheckBox06") && (!m.checked("CheckBox07") || m.enabled("CheckBox07")))
        return "ATH only without a pinned short-block box";
    if (!m.checked("CheckBox05"))
        for (const char* box : {"CheckBox06", "CheckBox07", "CheckBox08"})
            if (m.checked(box) || m.enabled(box))
                return std::string("ATH off but ") + box + " live";
    if (m.checked("CheckBox09")) {
        for (const char* box :
             {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13", "CheckBox14"})
            if (m.enabled(box))
                return std::string("automatic bandwidth but ") + box + " enabled";
        if (m.text("Edit13") != "auto" || m.text("Edit14") != "auto")
            return "automatic bandwidth without auto lowpass texts";
    }
    if (m.checked("CheckBox14"))
        for (const char* box : {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"})
            if (m.enabled(box) || m.checked(box))
                return std::string("full bandwidth but ") + box + " live";
    for (const char* field :
         {"Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "ComboBox5"})
        if (m.enabled(field) != m.checked("CheckBox01"))
            return std::string("tag field ") + field + " out of step";
    return {};
}

// One random action on an enabled, visible control, through the window's entry into the core.
std::string act(FormModel& model, EventWiring& wiring, std::mt19937& rng) {
    std::vector<const ControlState*> live;
    for (const ControlState& c : model.controls())
        if (c.enabled && c.visible && c.kind != ControlKind::Label &&
            c.kind != ControlKind::Button && c.kind != ControlKind::GroupBox)
            live.push_back(&c);
    const ControlState& c =
        *live[std::uniform_int_distribution<std::size_t>(0, live.size() - 1)(rng)];
    auto below = [&rng](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    std::ostringstream what;
    what << c.name;
    switch (c.kind) {
    case ControlKind::CheckBox:
        wiring.checkedChanged(c.name, !c.checked);
        what << " clicked";
        break;
    case ControlKind::RadioGroup: {
        const int index = static_cast<int>(below(c.items.size()));
        what << " item " << index;
        wiring.itemIndexChanged(c.name, index);
        break;
    }
    case ControlKind::Slider: {
        const int position = static_cast<int>(below(10));
        what << " position " << position;
        wiring.positionChanged(c.name, position);
        break;
    }
    case ControlKind::Edit:
        wiring.textChanged(c.name, std::to_string(below(100)));
        what << " text";
        break;
    case ControlKind::DropDown: {
        static const char* keys[] = {"a", "A", "1", "2", "4", "8", " ", "k", "é", "-", "X"};
        const std::size_t size = c.text.size();
        const std::size_t start = below(size + 1);
        const std::size_t length = below(size - start + 1);
        switch (below(4)) {
        case 0:
            what << " picked";
            wiring.entryPicked(c.name, static_cast<int>(below(c.items.size())));
            break;
        case 1:
            what << " backspace";
            wiring.backspacePressed(c.name, {start, length, start + length});
            break;
        case 2:
            what << " pasted";
            wiring.textChanged(c.name, c.items[below(c.items.size())]);
            break;
        default: {
            const char* key = keys[below(std::size(keys))];
            what << " typed " << key;
            wiring.keyTyped(c.name, {start, length, start + length}, key);
        }
        }
        break;
    }
    default:
        break;
    }
    return what.str();
}

TEST(RuleInvariants, HoldAfterEveryStepOfLongRandomSessions) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        FormModel model;
        EventWiring wiring(model);
        std::mt19937 rng(seed);
        ASSERT_EQ(brokenInvariant(model), "") << "initial state";
        std::vector<std::string> steps;
        for (int step = 0; step < 2000; ++step) {
            steps.push_back(act(model, wiring, rng));
            const std::string broken = brokenInvariant(model);
            if (!broken.empty()) {
                std::ostringstream trail;
                for (std::size_t i = steps.size() > 8 ? steps.size() - 8 : 0; i < steps.size(); ++i)
                    trail << "\n  " << steps[i];
                FAIL() << broken << " (seed " << seed << ", step " << step << ")" << trail.str();
            }
        }
    }
}

} // namespace
