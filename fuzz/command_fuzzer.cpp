// Arbitrary window states through FormModel, CommandBuilder::build and splitCommandLine.
//
// Properties, for every input:
//  1. split(quote(a) + " " + quote(b)) == {a, b} for any bytes a and b, and a value without a
//     double quote and without a trailing backslash is quoted by simply enclosing it.
//  2. Building never throws; radio indexes out of range are refused with std::out_of_range and
//     leave the group as it was; slider positions end inside the slider's range.
//  3. Whenever no unquoted value (Edit09, Edit11-Edit15, ComboBox1-4, ComboBox6, ComboBox7)
//     holds a double quote, every quoted value comes back whole: the input and output paths are
//     the last two arguments, and with CheckBox01 checked each tag value is the argument right
//     after its option ("--tt" ... "--tg"), the seven pairs in a row; without CheckBox01 no tag
//     value appears. A double quote is the one byte that changes how the rest of the line splits,
//     so it is the one byte excluded; blanks, tabs and backslashes in unquoted values only change
//     how many arguments those values become.
//
// The positions in 3 are found without knowing how many arguments the unquoted values become:
// the same state is built a second time with each quoted value replaced by a distinct marker
// that holds a blank. An argument of an unquoted value never holds a blank, so each marker's
// position is unambiguous, and both lines must split alike everywhere except at the markers.

#include "CommandBuilder.h"
#include "CommandLine.h"
#include "FormModel.h"
#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace quendra;
using quendra::fuzz::escaped;
using quendra::fuzz::require;

namespace {

struct QuotedField {
    const char* control;
    const char* option; // the option it follows; nullptr for the two paths
};

// Tags first, in the order the encoder receives them, then the paths.
const QuotedField kQuoted[] = {
    {"Edit03", "--tt"},    {"Edit04", "--ta"},  {"Edit05", "--tl"},
    {"Edit06", "--ty"},    {"Edit07", "--tc"},  {"Edit08", "--tn"},
    {"ComboBox5", "--tg"}, {"Edit01", nullptr}, {"Edit02", nullptr},
};
constexpr std::size_t kTagCount = 7;
constexpr std::size_t kQuotedCount = sizeof kQuoted / sizeof kQuoted[0];

const char* const kUnquoted[] = {"Edit09",    "Edit11",    "Edit12",    "Edit13",
                                 "Edit14",    "Edit15",    "ComboBox1", "ComboBox2",
                                 "ComboBox3", "ComboBox4", "ComboBox6", "ComboBox7"};

const char* const kRadioGroups[] = {"RadioGroup1", "RadioGroup2", "RadioGroup3", "RadioGroup4"};
const char* const kSliders[] = {"TrackBar1", "TrackBar2"};

std::string checkBoxName(int number) {
    return std::string("CheckBox") + (number < 10 ? "0" : "") + std::to_string(number);
}

std::string describe(const std::vector<std::string>& args) {
    std::string out = "[";
    for (std::size_t i = 0; i < args.size(); ++i)
        out += (i ? ", " : "") + escaped(args[i]);
    return out + "]";
}

void checkQuoteRoundTrip(const std::string& a, const std::string& b) {
    const std::string line = quoteArgument(a) + " " + quoteArgument(b);
    const std::vector<std::string> args = splitCommandLine(line);
    require(args == std::vector<std::string>{a, b}, [&] {
        return "split(quote(a) + \" \" + quote(b)) of " + escaped(a) + ", " + escaped(b) +
               " gave " + describe(args);
    });
    if (a.find('"') == std::string::npos && (a.empty() || a.back() != '\\'))
        require(quoteArgument(a) == '"' + a + '"', [&] {
            return "quote of " + escaped(a) + " is not the value enclosed: " + quoteArgument(a);
        });
}

// The radio index a person or a stray caller could pass: mostly an item, sometimes anything.
int consumeRadioIndex(FuzzedDataProvider& in, int items) {
    const auto pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick < 0xF0)
        return pick % items;
    return in.ConsumeIntegral<int>();
}

void setControls(FuzzedDataProvider& in, FormModel& model) {
    const auto checks = in.ConsumeIntegral<std::uint32_t>();
    for (int number = 1; number <= 25; ++number)
        model.setChecked(checkBoxName(number), (checks >> (number - 1)) & 1u);

    for (const char* group : kRadioGroups) {
        const int items = static_cast<int>(model.control(group).items.size());
        const int before = model.itemIndex(group);
        const int index = consumeRadioIndex(in, items);
        const bool valid = index >= 0 && index < items;
        try {
            model.setItemIndex(group, index);
            require(valid && model.itemIndex(group) == index,
                    [&] { return std::string(group) + " took index " + std::to_string(index); });
        } catch (const std::out_of_range&) {
            require(!valid && model.itemIndex(group) == before,
                    [&] { return std::string(group) + " refused index " + std::to_string(index); });
        }
    }

    for (const char* slider : kSliders) {
        const ControlState& c = model.control(slider);
        const int position = in.ConsumeIntegral<int>();
        model.setPosition(slider, position);
        require(model.position(slider) == std::clamp(position, c.minimum, c.maximum), [&] {
            return std::string(slider) + " not clamped for " + std::to_string(position);
        });
    }
}

const std::string& marker(std::size_t i) {
    static const std::vector<std::string> markers = [] {
        std::vector<std::string> all;
        for (std::size_t k = 0; k < kQuotedCount; ++k)
            all.push_back("\x01 quoted value " + std::to_string(k) + " \x02");
        return all;
    }();
    return markers[i];
}

std::optional<std::size_t> markerIndex(const std::string& arg) {
    for (std::size_t i = 0; i < kQuotedCount; ++i)
        if (arg == marker(i))
            return i;
    return std::nullopt;
}

void checkQuotedValuesComeBackWhole(const FormModel& model, const FormModel& initial,
                                    const std::string& line, const std::vector<std::string>& args) {
    FormModel marked = model;
    for (std::size_t i = 0; i < kQuotedCount; ++i)
        marked.setText(kQuoted[i].control, marker(i));
    const std::string markedLine = CommandBuilder::build(marked).line;
    const std::vector<std::string> markedArgs = splitCommandLine(markedLine);

    auto context = [&] {
        return "\nline:   " + escaped(line) + "\nargs:   " + describe(args) +
               "\nmarked: " + describe(markedArgs);
    };
    require(args.size() == markedArgs.size(), [&] { return "argument counts differ" + context(); });

    std::vector<std::optional<std::size_t>> position(kQuotedCount);
    for (std::size_t j = 0; j < markedArgs.size(); ++j) {
        const std::optional<std::size_t> i = markerIndex(markedArgs[j]);
        if (!i) {
            require(args[j] == markedArgs[j], [&] {
                return "argument " + std::to_string(j) + " differs outside the quoted values" +
                       context();
            });
            continue;
        }
        require(!position[*i],
                [&] { return std::string(kQuoted[*i].control) + " appears twice" + context(); });
        position[*i] = j;
        // A field's text counts up to a NUL; a tag left at its placeholder is replaced by the
        // builder, so only typed tags compare.
        const std::string& entered = model.text(kQuoted[*i].control);
        const std::string typed = entered.substr(0, entered.find('\0'));
        if (kQuoted[*i].option == nullptr || typed != initial.text(kQuoted[*i].control))
            require(args[j] == typed, [&] {
                return std::string(kQuoted[*i].control) + " came back as " + escaped(args[j]) +
                       ", typed " + escaped(typed) + context();
            });
        if (kQuoted[*i].option != nullptr)
            require(j > 0 && args[j - 1] == kQuoted[*i].option, [&] {
                return std::string(kQuoted[*i].control) + " does not follow " + kQuoted[*i].option +
                       context();
            });
    }

    const std::size_t n = args.size();
    require(position[kTagCount] == n - 2 && position[kTagCount + 1] == n - 1,
            [&] { return "the paths are not the last two arguments" + context(); });
    const bool tags = model.checked("CheckBox01");
    for (std::size_t i = 0; i < kTagCount; ++i) {
        require(position[i].has_value() == tags, [&] {
            return std::string(kQuoted[i].control) + (tags ? " missing" : " present") + context();
        });
        if (tags && i > 0)
            require(*position[i] == *position[i - 1] + 2, [&] {
                return "the tags are not in a row at " + std::string(kQuoted[i].control) +
                       context();
            });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);

    const std::string a = in.ConsumeRandomLengthString();
    const std::string b = in.ConsumeRandomLengthString();
    checkQuoteRoundTrip(a, b);

    static const FormModel initial;
    FormModel model = initial;
    setControls(in, model);

    // Texts last, so that they reach the builder exactly as typed.
    for (const QuotedField& field : kQuoted)
        model.setText(field.control, in.ConsumeRandomLengthString());
    bool quoteInUnquoted = false;
    for (const char* control : kUnquoted) {
        model.setText(control, in.ConsumeRandomLengthString());
        quoteInUnquoted = quoteInUnquoted || model.text(control).find('"') != std::string::npos;
    }

    const std::string line = CommandBuilder::build(model).line;
    const std::vector<std::string> args = splitCommandLine(line);
    require(line.rfind("lame.bin ", 0) == 0 && !args.empty() && args[0] == "lame.bin",
            [&] { return "the line does not start with the encoder: " + escaped(line); });
    require(line.find('\0') == std::string::npos,
            [&] { return "the line holds a NUL: " + escaped(line); });
    if (fuzz::verbose())
        std::fprintf(stderr, "line %s\nargs %s\n", escaped(line).c_str(), describe(args).c_str());
    if (!quoteInUnquoted)
        checkQuotedValuesComeBackWhole(model, initial, line, args);
    return 0;
}
