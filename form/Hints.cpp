#include "Hints.h"

#include "ControlTable.h"
#include "FormModel.h"
#include "Placements.h"

namespace quendra::form {

namespace {

// The hint text of a control's row; null where it has none.
const char* hintOf(ControlName control) {
    return controlRow(control).hint;
}

} // namespace

const std::vector<Hint>& hints() {
    static const std::vector<Hint> all = [] {
        std::vector<Hint> found;
        for (const ControlRow& row : controlTable())
            if (row.hint)
                found.push_back({row.initial.name, row.hint});
        return found;
    }();
    return all;
}

ControlName hintOwner(const FormModel& model, ControlName control) {
    for (ControlName c = control; model.has(c); c = placementOf(c)->parent)
        if (hintOf(c))
            return controlRow(c).initial.name;
    return {};
}

const char* hintOver(const FormModel& model, ControlName control) {
    const ControlName owner = hintOwner(model, control);
    if (owner.empty() || !model.enabled(control) || !model.visible(control))
        return nullptr;
    return hintOf(owner);
}

} // namespace quendra::form
