#include "CommandBuilder.h"

#include "CommandLine.h"
#include "ControlTable.h"
#include "FormValues.h"
#include "SampleRateChoice.h"

#include <algorithm>
#include <string>

namespace quendra {

namespace {

// What a field's text gives the command: the text up to a NUL, where the text of a Windows edit
// control ends too. The command never holds one, so every way of starting the encoder, and the
// line a terminal shows, has the same words.
std::string fieldText(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

std::string fieldText(const FormModel& model, ControlName control) {
    return fieldText(model.text(control));
}

// The word of the selected radio button, or of the drop-down entry that the text is exactly;
// none for a typed text (and for no selection, whose index -1 is past every word).
std::string_view chosenWord(const ControlRow& row, const ControlState& state) {
    const std::vector<std::string>& items = state.items;
    const std::size_t index =
        state.kind == ControlKind::DropDown
            ? static_cast<std::size_t>(
                  std::find(items.begin(), items.end(), fieldText(state.text)) - items.begin())
            : static_cast<std::size_t>(state.itemIndex);
    return index < row.itemWords.size() ? row.itemWords[index] : std::string_view();
}

std::string valueText(const ControlState& state) {
    return state.kind == ControlKind::Slider ? std::to_string(state.position)
                                             : fieldText(state.text);
}

// The options as they grow, step by step, from the model's controls and their rows.
class Options {
public:
    explicit Options(const FormModel& model) : model_(model) {}

    const FormModel& model() const { return model_; }
    const std::string& text() const { return text_; }

    void add(std::string_view word, std::string_view value = {}) {
        text_ += word;
        text_ += value;
    }

    // What the control's row writes for the control's state.
    void append(const ControlRow& row) {
        const ControlState& state = model_.control(row.initial.name);
        const CommandOption& option = row.option;
        switch (option.writes) {
        case Writes::Nothing:
            break;
        case Writes::WhenChecked:
            if (state.checked)
                add(option.word, option.field.empty() ? "" : fieldText(model_, option.field));
            break;
        case Writes::WhenUnchecked:
            if (!state.checked)
                add(option.word);
            break;
        case Writes::Value:
            add(option.word, valueText(state));
            break;
        case Writes::Chosen:
            add(chosenWord(row, state));
            break;
        case Writes::Quoted:
            add(option.word, quoteArgument(fieldText(state.text)));
            break;
        case Writes::Tag: {
            const std::string text = fieldText(state.text);
            add(option.word, quoteArgument(text == row.initial.text ? option.standsFor : text));
            break;
        }
        }
    }

    // What every control of the step writes, in window order; "writes" may pass one over.
    template <typename Filter> void appendEach(Step step, Filter writes) {
        for (const ControlRow* row : rowsOf(step))
            if (writes(row->initial.name))
                append(*row);
    }
    void appendEach(Step step) {
        appendEach(step, [](ControlName) { return true; });
    }

private:
    const FormModel& model_;
    std::string text_;
};

// The mode's word and the bitrate or VBR quality; the sampling frequency becomes its bare number.
void appendBitrateMode(Options& options, std::string& sample) {
    const FormModel& model = options.model();
    const ControlState& modes = model.control(control::RadioGroup1);
    const std::string_view word = chosenWord(controlRow(control::RadioGroup1), modes);
    const SampleRateChoice* choice = SampleRateChoice::find(sample);
    if (choice)
        sample = choice->bareNumber;
    switch (static_cast<BitrateMode>(modes.itemIndex)) {
    case BitrateMode::Cbr:
        if (choice)
            options.add(word, fieldText(model, choice->bitrateDropDown));
        break;
    case BitrateMode::Vbr:
        options.add(word, std::to_string(model.position(control::TrackBar1)));
        break;
    case BitrateMode::Abr:
        if (choice) {
            const std::string bitrate = fieldText(model, choice->bitrateDropDown);
            options.add(word, bitrate == kAuto ? choice->abrBitrate : bitrate);
        }
        break;
    }
}

void appendResample(Options& options, const std::string& sample) {
    if (sample != kAuto)
        options.add(controlRow(control::ComboBox1).option.word, sample);
}

void appendTags(Options& options) {
    if (options.model().checked(control::CheckBox01))
        options.appendEach(Step::Tags);
}

// The type only where "use ATH:" is on and names one; "ATH only" covers the short blocks.
void appendAth(Options& options) {
    const FormModel& model = options.model();
    options.appendEach(Step::Ath, [&model](ControlName control) {
        if (control == control::ComboBox7)
            return model.checked(control::CheckBox05) &&
                   fieldText(model, control::ComboBox7) != kAuto;
        return control != control::CheckBox07 || !model.checked(control::CheckBox06);
    });
}

// Nothing while the bandwidth is automatic, and no filter at full bandwidth.
void appendBandwidth(Options& options) {
    const FormModel& model = options.model();
    if (model.checked(control::CheckBox09))
        return;
    const bool full = model.checked(control::CheckBox14);
    options.appendEach(Step::Bandwidth, [full](ControlName control) {
        return !full || control == control::CheckBox14;
    });
}

} // namespace

EncoderCommand CommandBuilder::build(const FormModel& model) {
    Options options(model);
    std::string sample = fieldText(model, control::ComboBox1);

    appendBitrateMode(options, sample);
    options.appendEach(Step::Stereo);
    appendResample(options, sample);
    appendTags(options);
    options.appendEach(Step::Stream);
    appendAth(options);
    appendBandwidth(options);
    for (Step step : {Step::Processor, Step::QualityMeasure, Step::Compatibility, Step::Scale,
                      Step::Quality, Step::Paths})
        options.appendEach(step);

    return EncoderCommand{"lame.bin " + options.text()};
}

} // namespace quendra
