#pragma once

#include "ControlState.h"

#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The parts of the encoder's command line, each written by one step of the builder. A control's
// option belongs to one of them.
enum class Step {
    None,
    BitrateMode,
    Stereo,
    Resample,
    Tags,
    Stream,
    Ath,
    Bandwidth,
    Processor,
    QualityMeasure,
    Compatibility,
    Scale,
    Quality,
    Paths,
};

// What a control writes into the command line.
enum class Writes {
    Nothing,
    WhenChecked,   // a check box: the word, and the text of its field where it has one
    WhenUnchecked, // a check box: the word
    Value,         // the word and the text, or a slider's position
    Chosen,        // the word of the selected item, or of the entry that the text is exactly
    Quoted,        // the word and the text in double quotes
    Tag,           // the same, with the text read as "standsFor" while it is still the initial one
};

struct CommandOption {
    Step step = Step::None;
    Writes writes = Writes::Nothing;
    std::string_view word; // with its leading space, as it goes into the line
    ControlName field;     // WhenChecked: the edit field whose text follows the word
    std::string_view standsFor;
};

// One working control: what it is, its state at start-up, its hover hint and its option.
struct ControlRow {
    ControlState initial;
    const char* hint = nullptr; // none where null
    CommandOption option;
    std::vector<std::string_view> itemWords; // Chosen: the word of each item, "" for none
};

// Every working control of the main window, one row each, in window order: ControlTable.def.
const std::vector<ControlRow>& controlTable();
// The row of a control; throws std::invalid_argument for a name that is not a working control.
const ControlRow& controlRow(ControlName name);
// The rows whose option belongs to the step, in window order.
const std::vector<const ControlRow*>& rowsOf(Step step);

// The controls in their state at start-up, in window order.
std::vector<ControlState> initialControls();

// The entries of the genre drop-down, the ID3v1 genre names.
const std::vector<std::string>& genreNames();

} // namespace quendra
