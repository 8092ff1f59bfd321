#pragma once

#include "EncoderLauncher.h"

#include <string>

class QWidget;

namespace quendra::ui {

// The text that tells the user that "lame.bin" did not start: why, and where it was looked for.
std::string launchFailureMessage(const LaunchResult& result);

// Tells the user that a press of "Start encoding" started nothing. Replaceable, so that the
// window can be driven without a modal box.
class LaunchFailureNotice {
public:
    virtual ~LaunchFailureNotice() = default;
    virtual void show(QWidget* window, const LaunchResult& result) = 0;
};

// The window's own notice: a warning message box over the window.
class MessageBoxNotice : public LaunchFailureNotice {
public:
    void show(QWidget* window, const LaunchResult& result) override;
};

} // namespace quendra::ui
