#pragma once

#include <string>

class QWidget;

namespace quendra::ui {

// Tells the user that a press of "Start encoding" started nothing. Replaceable, so that the
// window can be driven without a modal box.
class LaunchFailureNotice {
public:
    virtual ~LaunchFailureNotice() = default;
    virtual void show(QWidget* window, const std::string& text) = 0;
};

// The window's own notice: a warning message box over the window.
class MessageBoxNotice : public LaunchFailureNotice {
public:
    void show(QWidget* window, const std::string& text) override;
};

} // namespace quendra::ui
