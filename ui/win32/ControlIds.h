#pragma once

#include "ControlNames.h"
#include "FormModel.h"

namespace quendra::win32 {

// The window identifier of each control of the window, made from its place among the model's
// controls, so that a tool looking at the window from outside (the window tests) finds a
// control by name the same way. Radio buttons count within their group.
inline constexpr int kFirstControlId = 100;
inline constexpr int kFirstRadioButtonId = 1000;
inline constexpr int kRadioButtonsPerGroup = 16;
inline constexpr int kFirstDecorationId = 3000;

inline int controlId(const FormModel& model, ControlName name) {
    const auto& controls = model.controls();
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name)
            return kFirstControlId + static_cast<int>(i);
    return 0;
}

inline int radioButtonId(const FormModel& model, ControlName group, int button) {
    return kFirstRadioButtonId +
           (controlId(model, group) - kFirstControlId) * kRadioButtonsPerGroup + button;
}

} // namespace quendra::win32
