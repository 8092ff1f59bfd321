#include "AccessibleSources.h"

#include "DropDownInput.h"
#include "Utf16.h"

#include <oleacc.h>

namespace quendra::win32 {

namespace {

long roleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Slider:
        return ROLE_SYSTEM_SLIDER;
    case ControlKind::DropDown:
        return ROLE_SYSTEM_COMBOBOX;
    case ControlKind::Edit:
        return ROLE_SYSTEM_TEXT;
    default:
        return 0; // Windows' own
    }
}

} // namespace

void AccessibleSources::describe(HWND window, ControlName control, const std::string& name,
                                 const std::string& description) {
    const ControlState& state = model_.control(control);
    const AccessibleFacts told{wideFrom(name), roleOf(state.kind), std::nullopt,
                               wideFrom(description)};
    answer(window, [&state, told] {
        AccessibleFacts facts = told;
        if (state.kind == ControlKind::Slider)
            facts.value = wideFrom(std::to_string(state.position));
        else if (facts.role)
            facts.value = wideFrom(state.text);
        return facts;
    });
    if (state.kind == ControlKind::DropDown)
        answer(DropDownInput::editOf(window), [source = sources_.back().get()] {
            AccessibleFacts line = (*source)();
            line.role = ROLE_SYSTEM_TEXT;
            return line;
        });
}

void AccessibleSources::answer(HWND window, AccessibleSource source) {
    sources_.push_back(std::make_unique<AccessibleSource>(std::move(source)));
    answerAccessibility(window, sources_.back().get());
}

} // namespace quendra::win32
