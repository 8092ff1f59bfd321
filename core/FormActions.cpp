#include "FormActions.h"

#include "CommandBuilder.h"
#include "StartRequest.h"

#include <filesystem>
#include <system_error>

namespace quendra {

FormActions::FormActions(FormModel& model, EncoderLauncher& launcher)
    : input_(model), model_(model), launcher_(launcher) {}

namespace {

StartOutcome outcomeOf(const LaunchResult& result) {
    if (result.started || result.pending)
        return {result.started, {}, result.pending};
    return {false, launchFailureMessage(result), false};
}

} // namespace

StartOutcome FormActions::startEncoding() {
    return outcomeOf(launcher_.launch(CommandBuilder::build(model_)));
}

std::vector<StartOutcome> FormActions::followStarts() {
    std::vector<StartOutcome> outcomes;
    for (const LaunchResult& result : launcher_.follow())
        outcomes.push_back(outcomeOf(result));
    return outcomes;
}

void FormActions::fileChosen(ControlName field, std::string path) {
    input_.textChanged(field, std::move(path));
}

void FormActions::chooserConfirmed(ControlName field, std::string path) {
    // The path is UTF-8 on every platform; a folder that cannot be entered changes nothing.
    std::error_code ignored;
    std::filesystem::current_path(std::filesystem::u8path(path).parent_path(), ignored);
    fileChosen(field, std::move(path));
}

std::string launchFailureMessage(const LaunchResult& result) {
    std::string text = "The encoder \"lame.bin\" could not be started.";
    if (!result.reason.empty())
        text += "\n\nReason: " + shownText(result.reason);
    if (!result.searched.empty()) {
        text += "\n\nSearched in:";
        for (const std::string& place : result.searched)
            text += "\n" + shownText(place);
    }
    return text;
}

} // namespace quendra
