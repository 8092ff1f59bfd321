// Every word the window can write is one lame.bin takes. The walk goes through the core's control
// table and gives each control every value it can hold, in each bitrate mode and at each sampling
// frequency with the tags and the filters on; lame.bin's parser reads each line the builder makes.
#include "CommandBuilder.h"
#include "CommandLine.h"
#include "ControlTable.h"
#include "RequestParser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace quendra;

namespace {

using Strings = std::vector<std::string>;

// What a person may type into a field besides its entries: a number, nothing, and a text with
// blanks, double quotes and a letter outside ASCII.
const std::string kNumber = "8";
const Strings kTyped = {kNumber, "", "say \"hi\" to \xE2\x99\xAB"};

// What lame.bin must make of a value: take it; take it or refuse it as the value of a word the
// window writes (a text in a field that is not quoted); take it and give back the text whole.
enum class Expect { Taken, TakenOrValueRefused, TextWhole };

// The options the table's rows write, without their values.
std::set<std::string> tableWords() {
    std::set<std::string> words;
    auto add = [&words](std::string_view written) {
        for (const std::string& word : splitCommandLine(written))
            if (word.size() > 1 && word.front() == '-')
                words.insert(word);
    };
    for (const ControlRow& row : controlTable()) {
        add(row.option.word);
        std::for_each(row.itemWords.begin(), row.itemWords.end(), add);
    }
    return words;
}

class Vocabulary {
public:
    // Builds the line for the model and has lame.bin's parser read it.
    void check(const FormModel& model, Expect expect, const std::string& text) {
        const std::string line = CommandBuilder::build(model).line;
        Strings arguments = splitCommandLine(line);
        arguments.erase(arguments.begin());
        const lamebin::EncodingRequest request = lamebin::parseRequest(arguments);
        if (request.refusal.empty()) {
            for (const std::string& argument : arguments)
                if (words.count(argument))
                    taken.insert(argument);
            if (expect == Expect::TextWhole) {
                EXPECT_TRUE(comesBack(request, text)) << line;
            }
            return;
        }
        EXPECT_EQ(expect, Expect::TakenOrValueRefused) << line << "\n" << request.refusal;
        EXPECT_TRUE(std::any_of(
            words.begin(), words.end(),
            [&](const std::string& word) { return request.refusal.rfind(word + " \"", 0) == 0; }))
            << line << "\n"
            << request.refusal;
    }

    const std::set<std::string> words = tableWords();
    std::set<std::string> taken; // in lines the parser took

private:
    static bool comesBack(const lamebin::EncodingRequest& request, const std::string& text) {
        const auto& tags = request.settings.tags;
        return std::count(request.files.begin(), request.files.end(), text) ||
               std::any_of(tags.begin(), tags.end(),
                           [&](const auto& t) { return t.second == text; });
    }
};

// Every field holds a number, the tags and the filters are on.
FormModel startingPoint(int bitrateMode, const std::string& frequency) {
    FormModel model;
    for (const ControlState& c : model.controls())
        if (c.kind == ControlKind::Edit)
            model.setText(c.name, kNumber);
    model.setItemIndex(control::RadioGroup1, bitrateMode);
    model.setText(control::ComboBox1, frequency);
    model.setChecked(control::CheckBox01, true);
    model.setChecked(control::CheckBox09, false);
    model.setText(control::Edit01, "in.wav");
    model.setText(control::Edit02, "out.mp3");
    return model;
}

// The texts typed into a field, each in its own line.
void typeInto(Vocabulary& vocabulary, const FormModel& start, ControlName field, bool quoted) {
    for (const std::string& text : kTyped) {
        FormModel model = start;
        model.setText(field, text);
        const Expect expect = quoted            ? Expect::TextWhole
                              : text == kNumber ? Expect::Taken
                                                : Expect::TakenOrValueRefused;
        vocabulary.check(model, expect, text);
    }
}

// Every value each control can hold, each in its own line.
void giveEveryValue(Vocabulary& vocabulary, const FormModel& start) {
    for (const ControlRow& row : controlTable()) {
        const ControlState& control = start.control(row.initial.name);
        auto taken = [&](auto set) {
            FormModel model = start;
            set(model);
            vocabulary.check(model, Expect::Taken, {});
        };
        const bool quoted = row.option.writes == Writes::Quoted || row.option.writes == Writes::Tag;
        switch (control.kind) {
        case ControlKind::CheckBox:
            for (bool checked : {false, true})
                taken([&](FormModel& m) { m.setChecked(control.name, checked); });
            if (!row.option.field.empty()) {
                FormModel checked = start;
                checked.setChecked(control.name, true);
                typeInto(vocabulary, checked, row.option.field, false);
            }
            break;
        case ControlKind::RadioGroup:
            for (int i = 0; i < static_cast<int>(control.items.size()); ++i)
                taken([&](FormModel& m) { m.setItemIndex(control.name, i); });
            break;
        case ControlKind::Slider:
            for (int position = control.minimum; position <= control.maximum; ++position)
                taken([&](FormModel& m) { m.setPosition(control.name, position); });
            break;
        case ControlKind::DropDown:
            for (const std::string& entry : control.items)
                taken([&](FormModel& m) { m.setText(control.name, entry); });
            typeInto(vocabulary, start, control.name, quoted);
            break;
        case ControlKind::Edit:
            typeInto(vocabulary, start, control.name, quoted);
            break;
        default:
            break;
        }
    }
}

TEST(Vocabulary, LameBinTakesEveryWordTheWindowWritesWithEachValueAControlCanHold) {
    Vocabulary vocabulary;
    const FormModel fresh;
    for (int mode = 0; mode < static_cast<int>(fresh.control(control::RadioGroup1).items.size());
         ++mode)
        for (const std::string& frequency : fresh.control(control::ComboBox1).items)
            giveEveryValue(vocabulary, startingPoint(mode, frequency));
    EXPECT_TRUE(vocabulary.words.count("--nores") && vocabulary.words.count("--tt"));
    EXPECT_EQ(vocabulary.taken, vocabulary.words) << "words never written, or never taken";
}

} // namespace
