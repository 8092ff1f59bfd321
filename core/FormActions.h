#pragma once

#include "ControlNames.h"
#include "EncoderLauncher.h"
#include "EventWiring.h"
#include "FormModel.h"

#include <string>
#include <vector>

namespace quendra {

// What "Start encoding" did: whether the encoder's process began, is still being confirmed
// (pending) or, where it did not begin, the text that tells the user why and where "lame.bin" was
// looked for.
struct StartOutcome {
    bool started = false;
    std::string failureText;
    bool pending = false;
};

// Everything the window does besides drawing, in one place that every window shell calls: the
// user's input into the model (with the coupling rules), starting the encoder, and a chosen or
// dropped file into its field. A shell forwards to these and mirrors the model; it decides
// nothing itself.
class FormActions {
public:
    FormActions(FormModel& model, EncoderLauncher& launcher);

    // Typing, clicks, picks and slider moves, as they arrive from the window.
    EventWiring& input() { return input_; }

    // "Start encoding": builds the command from the model and starts the encoder with it. The
    // model is not changed.
    StartOutcome startEncoding();
    // The presses whose start was pending, looked at again without waiting: the outcome of each
    // one decided since.
    std::vector<StartOutcome> followStarts();
    bool startsPending() const { return launcher_.pending(); }

    // A file dropped on a path field goes in as if typed.
    void fileChosen(ControlName field, std::string path);
    // A file confirmed in a chooser goes in the same way, and its folder becomes the process's
    // current directory, where a chooser that starts there opens next.
    void chooserConfirmed(ControlName field, std::string path);

private:
    EventWiring input_;
    FormModel& model_;
    EncoderLauncher& launcher_;
};

// The text that tells the user that "lame.bin" did not start: why, and where it was looked for.
std::string launchFailureMessage(const LaunchResult& result);

} // namespace quendra
