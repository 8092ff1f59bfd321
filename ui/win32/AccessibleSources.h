#pragma once

#include "AccessibleControl.h"
#include "FormModel.h"

#include <memory>
#include <string>
#include <vector>

namespace quendra::win32 {

// What the window's controls tell assistive technology (answerAccessibility): the name and
// description the window's description gives a control and, for a field, drop-down or slider,
// its role and what it holds at the moment it is asked. A drop-down's edit line, where its
// focus is, answers as a text field with the drop-down's name, value and description.
class AccessibleSources {
public:
    explicit AccessibleSources(const FormModel& model) : model_(model) {}

    void describe(HWND window, ControlName control, const std::string& name,
                  const std::string& description);

private:
    void answer(HWND window, AccessibleSource source);

    const FormModel& model_;
    std::vector<std::unique_ptr<AccessibleSource>> sources_;
};

} // namespace quendra::win32
