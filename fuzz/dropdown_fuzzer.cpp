// Key sequences through the drop-downs: DropDownTyping on its own, with the window's lists or
// arbitrary ones, and EventWiring on the form model, where only what a person could do is done
// (typing, Backspace, picking and pasting in enabled, visible drop-downs, clicking enabled,
// visible check boxes and radio groups). Selections and carets are arbitrary, out of range too.
//
// Properties after every step:
//  - the selection and the caret lie inside the text; when the text, the entries and the typed
//    characters are valid UTF-8 (all the window ever hands over), they lie on character
//    boundaries of the text;
//  - the current entry is -1 or an index of an entry;
//  - a completion or a pick with a current entry leaves the text equal to that entry, ignoring
//    ASCII case (picks: exactly);
//  - a typed character ends right before the selection, whether it completed or not;
//  - on the model: what EventWiring returns is what the model holds, every drop-down with a
//    current entry reads as that entry, and the coupling rules' consequences hold.

#include "CouplingRules.h"
#include "DropDownTyping.h"
#include "EventWiring.h"
#include "FormModel.h"
#include "FuzzSupport.h"
#include "ControlTable.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

using namespace quendra;
using quendra::fuzz::escaped;
using quendra::fuzz::require;

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

bool boundary(const std::string& text, std::size_t offset) {
    return offset == 0 || offset >= text.size() || !fuzz::continuationByte(text[offset]);
}

std::string describe(const DropDownEdit& e) {
    return "text " + escaped(e.text) + " selection " + std::to_string(e.selection.start) + "+" +
           std::to_string(e.selection.length) + " caret " + std::to_string(e.selection.caret) +
           " entry " + std::to_string(e.currentEntry);
}

// What has been done so far, rendered only when a property breaks.
struct Action {
    enum Kind { Type, Backspace, Pick, Paste, Click, Select, Edit } kind;
    std::string control;
    std::size_t start = 0, length = 0, caret = 0;
    std::string bytes;
    int index = 0;
};

struct Trace {
    const std::vector<std::string>* items = nullptr; // for DropDownTyping on its own
    DropDownEdit start;
    std::vector<Action> actions;
};

std::string describe(const Action& a) {
    const std::string at = " selection " + std::to_string(a.start) + "+" +
                           std::to_string(a.length) + " caret " + std::to_string(a.caret);
    switch (a.kind) {
    case Action::Type:
        return "type " + escaped(a.bytes) + " in " + a.control + at;
    case Action::Backspace:
        return "Backspace in " + a.control + at;
    case Action::Pick:
        return "pick " + std::to_string(a.index) + " in " + a.control;
    case Action::Paste:
        return "paste " + escaped(a.bytes) + " in " + a.control;
    case Action::Click:
        return "click " + a.control;
    case Action::Select:
        return "select " + std::to_string(a.index) + " in " + a.control;
    case Action::Edit:
        return "edit " + a.control + " to " + escaped(a.bytes);
    }
    return "?";
}

std::string describe(const Trace& trace) {
    std::string out = " after:";
    if (trace.items) {
        out += "\n  entries";
        for (const std::string& item : *trace.items)
            out += " " + escaped(item);
        out += "\n  start " + describe(trace.start);
    }
    for (const Action& a : trace.actions)
        out += "\n  " + describe(a);
    return out;
}

void checkEdit(const std::vector<std::string>& items, const DropDownEdit& e, bool utf8,
               const Trace& trace) {
    const auto where = [&] { return describe(trace) + "\n  gives " + describe(e); };
    const std::size_t size = e.text.size();
    require(e.selection.start <= size && e.selection.length <= size - e.selection.start &&
                e.selection.caret <= size,
            [&] { return "selection or caret outside the text" + where(); });
    if (utf8)
        require(boundary(e.text, e.selection.start) &&
                    boundary(e.text, e.selection.start + e.selection.length) &&
                    boundary(e.text, e.selection.caret),
                [&] { return "selection or caret inside a character" + where(); });
    require(e.currentEntry >= -1 && e.currentEntry < static_cast<int>(items.size()),
            [&] { return "current entry is no entry" + where(); });
}

void checkEntryMatches(const std::vector<std::string>& items, const DropDownEdit& e,
                       const Trace& trace) {
    if (e.currentEntry >= 0)
        require(equalIgnoringAsciiCase(e.text, items[static_cast<std::size_t>(e.currentEntry)]),
                [&] {
                    return "text is not its current entry " + escaped(items[e.currentEntry]) +
                           describe(trace) + "\n  gives " + describe(e);
                });
}

void checkTypedCharacter(const DropDownEdit& e, std::string_view character, const Trace& trace) {
    const std::size_t n = character.size();
    require(e.selection.start >= n && e.text.compare(e.selection.start - n, n, character) == 0,
            [&] {
                return "the typed character does not end at the selection" + describe(trace) +
                       "\n  gives " + describe(e);
            });
}

// Offsets as the window or a careless caller might pass them: near the text, or anything.
std::size_t consumeOffset(FuzzedDataProvider& in, std::size_t textSize) {
    const auto pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick < 0xE0)
        return pick % (textSize + 2);
    if (pick < 0xF0)
        return std::numeric_limits<std::size_t>::max() - (pick & 0x0F);
    return in.ConsumeIntegral<std::size_t>();
}

struct Key {
    std::string bytes;
    bool utf8;
};

// Mostly one character as a keyboard delivers it; sometimes raw bytes, which the window never
// sends but which must not break anything either.
Key consumeKey(FuzzedDataProvider& in) {
    const auto pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick < 0xC0)
        return {std::string(1, static_cast<char>(pick < 0x80 ? pick : 0x20 + pick % 0x5F)), true};
    if (pick < 0xF0) {
        unsigned code = in.ConsumeIntegralInRange<unsigned>(0x80, 0x10FFFF - 0x800);
        if (code >= 0xD800)
            code += 0x800; // past the surrogates
        return {fuzz::utf8(code), true};
    }
    std::string raw = in.ConsumeRandomLengthString(4);
    const bool utf8 = fuzz::validUtf8(raw);
    return {std::move(raw), utf8};
}

int consumeEntry(FuzzedDataProvider& in, std::size_t items) {
    const auto pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick < 0xF0)
        return static_cast<int>(pick % (items + 1)) - (pick & 0x80 ? 1 : 0);
    return in.ConsumeIntegral<int>();
}

// DropDownTyping on its own: a list, a starting edit, then steps, each starting where the last
// ended except for the selection and caret, which the window may have moved.
void fuzzTyping(FuzzedDataProvider& in) {
    static const FormModel initial;
    std::vector<std::string> items;
    switch (in.ConsumeIntegralInRange(0, 2)) {
    case 0:
        items = initial.control("ComboBox1").items;
        break;
    case 1:
        items = genreNames();
        break;
    default:
        for (int n = in.ConsumeIntegralInRange(0, 8); n > 0; --n)
            items.push_back(in.ConsumeRandomLengthString(24));
    }
    bool utf8 = true;
    for (const std::string& item : items)
        utf8 = utf8 && fuzz::validUtf8(item);

    DropDownEdit edit;
    edit.text = in.ConsumeRandomLengthString(64);
    utf8 = utf8 && fuzz::validUtf8(edit.text);
    edit.currentEntry = in.ConsumeIntegralInRange<int>(-1, static_cast<int>(items.size()) - 1);
    Trace trace{&items, edit, {}};
    // The starting entry is arbitrary; once a step has set it, it must read as its entry.
    bool entrySet = false;

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        edit.selection.start = consumeOffset(in, edit.text.size());
        edit.selection.length = consumeOffset(in, edit.text.size());
        edit.selection.caret = consumeOffset(in, edit.text.size());
        Action action{
            Action::Type, "", edit.selection.start, edit.selection.length, edit.selection.caret,
            "",           0};
        DropDownOutcome out;
        switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0: {
            const Key key = consumeKey(in);
            utf8 = utf8 && key.utf8;
            action.bytes = key.bytes;
            trace.actions.push_back(action);
            out = DropDownTyping::type(items, edit, key.bytes);
            checkEdit(items, out.edit, utf8, trace);
            if (key.bytes.empty())
                require(out.edit.text == edit.text && !out.changeReported,
                        [&] { return "typing nothing changed something" + describe(trace); });
            else
                checkTypedCharacter(out.edit, key.bytes, trace);
            entrySet = entrySet || !key.bytes.empty();
            break;
        }
        case 1:
            action.kind = Action::Backspace;
            trace.actions.push_back(action);
            out = DropDownTyping::backspace(items, edit);
            checkEdit(items, out.edit, utf8, trace);
            require(out.edit.text.size() <= edit.text.size(),
                    [&] { return "Backspace grew the text" + describe(trace); });
            entrySet = true;
            break;
        default: {
            const int index = consumeEntry(in, items.size());
            const bool entry = index >= 0 && static_cast<std::size_t>(index) < items.size();
            action.kind = Action::Pick;
            action.index = index;
            trace.actions.push_back(action);
            out = DropDownTyping::pick(items, edit, index);
            checkEdit(items, out.edit, utf8, trace);
            if (entry)
                require(out.edit.currentEntry == index && out.edit.text == items[index] &&
                            out.edit.selection.start == 0 &&
                            out.edit.selection.length == out.edit.text.size(),
                        [&] {
                            return "the pick is not the whole entry, selected" + describe(trace) +
                                   "\n  gives " + describe(out.edit);
                        });
            else
                require(out.edit.text == edit.text && out.edit.currentEntry == edit.currentEntry &&
                            !out.changeReported,
                        [&] { return "picking no entry changed something" + describe(trace); });
            entrySet = entrySet || entry;
        }
        }
        if (entrySet)
            checkEntryMatches(items, out.edit, trace);
        edit = out.edit;
    }
    if (fuzz::verbose())
        std::fprintf(stderr, "typing%s\n  gives %s\n", describe(trace).c_str(),
                     describe(edit).c_str());
}

const char* const kDropDowns[] = {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4",
                                  "ComboBox5", "ComboBox6", "ComboBox7"};
const char* const kRadioGroups[] = {"RadioGroup1", "RadioGroup2", "RadioGroup3", "RadioGroup4"};
const char* const kEdits[] = {"Edit01", "Edit02", "Edit03", "Edit04", "Edit05", "Edit06", "Edit07",
                              "Edit08", "Edit09", "Edit11", "Edit12", "Edit13", "Edit14", "Edit15"};
const char* const kBandwidthBoxes[] = {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13",
                                       "CheckBox14"};

std::string checkBoxName(int number) {
    return std::string("CheckBox") + (number < 10 ? "0" : "") + std::to_string(number);
}

bool usable(const FormModel& model, const char* name) {
    return model.enabled(name) && model.visible(name);
}

// What the coupling rules guarantee about the window after any sequence of user actions.
void checkRules(const FormModel& m, const Trace& trace) {
    const auto after = [&] { return describe(trace); };
    require(m.checked("CheckBox21") || m.checked("CheckBox22"),
            [&] { return "short and long blocks both off" + after(); });

    if (!m.checked("CheckBox05"))
        for (const char* name :
             {"CheckBox06", "CheckBox07", "CheckBox08", "ComboBox7", "Edit15", "Label17"})
            require(
                !m.enabled(name) &&
                    !(m.control(name).kind == ControlKind::CheckBox && m.checked(name)),
                [&] { return std::string(name) + " usable or checked without the ATH" + after(); });
    if (m.checked("CheckBox06"))
        require(m.checked("CheckBox07") && !m.enabled("CheckBox07"),
                [&] { return "ATH only without ATH for short blocks fixed on" + after(); });

    for (const char* tag :
         {"Edit03", "Edit04", "Edit05", "Edit06", "Edit07", "Edit08", "ComboBox5"})
        require(m.enabled(tag) == m.checked("CheckBox01"), [&] {
            return std::string(tag) + " enabled differs from the tags switch" + after();
        });

    if (m.checked("CheckBox09")) {
        for (const char* box : kBandwidthBoxes) {
            const bool expected =
                std::string(box) == "CheckBox12" || std::string(box) == "CheckBox13";
            require(!m.enabled(box) && m.checked(box) == expected, [&] {
                return std::string(box) + " wrong under automatic bandwidth" + after();
            });
        }
        require(m.text("Edit13") == "auto" && m.text("Edit14") == "auto",
                [&] { return "automatic bandwidth without automatic lowpass values" + after(); });
    }
    if (m.checked("CheckBox14"))
        for (const char* box : {"CheckBox10", "CheckBox11", "CheckBox12", "CheckBox13"})
            require(!m.enabled(box) && !m.checked(box), [&] {
                return std::string(box) + " usable or checked under full bandwidth" + after();
            });
    const char* const filters[][2] = {{"Edit11", "CheckBox10"},
                                      {"Edit12", "CheckBox11"},
                                      {"Edit13", "CheckBox12"},
                                      {"Edit14", "CheckBox13"}};
    for (const auto& filter : filters)
        require(!m.enabled(filter[0]) || m.checked(filter[1]),
                [&] { return std::string(filter[0]) + " usable with its filter off" + after(); });

    const bool vbr = m.itemIndex("RadioGroup1") == 1;
    require(m.visible("TrackBar1") == vbr,
            [&] { return "VBR quality shown differs from VBR" + after(); });
    int shown = 0;
    for (const char* box : {"ComboBox2", "ComboBox3", "ComboBox4"})
        shown += m.visible(box) ? 1 : 0;
    require(shown == (vbr ? 0 : 1),
            [&] { return std::to_string(shown) + " bitrate drop-downs shown" + after(); });
}

void checkDropDowns(const FormModel& m, const Trace& trace) {
    for (const char* name : kDropDowns) {
        const ControlState& c = m.control(name);
        require(c.currentEntry >= -1 && c.currentEntry < static_cast<int>(c.items.size()), [&] {
            return std::string(name) + " has entry " + std::to_string(c.currentEntry) +
                   describe(trace);
        });
        if (c.currentEntry >= 0)
            require(equalIgnoringAsciiCase(c.text, c.items[c.currentEntry]), [&] {
                return std::string(name) + " reads " + escaped(c.text) + " for entry " +
                       escaped(c.items[c.currentEntry]) + describe(trace);
            });
    }
}

void checkReturned(const FormModel& m, const char* name, const DropDownEdit& e, bool utf8,
                   const Trace& trace) {
    const ControlState& c = m.control(name);
    checkEdit(c.items, e, utf8, trace);
    const int shown = DropDownTyping::shownEntry(c.items, c.text, c.currentEntry);
    require(e.text == c.text && e.currentEntry == shown, [&] {
        return std::string(name) + " holds " + escaped(c.text) + " entry " +
               std::to_string(c.currentEntry) + " shown as " + std::to_string(shown) +
               " but shows " + describe(e) + describe(trace);
    });
}

// EventWiring on the model, one person's session.
void fuzzWiring(FuzzedDataProvider& in) {
    FormModel model;
    EventWiring wiring(model);
    bool utf8 = true; // every text handed over so far was valid UTF-8
    Trace trace;

    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        const char* dropDown = kDropDowns[in.ConsumeIntegralInRange<std::size_t>(0, 6)];
        const std::size_t size = model.text(dropDown).size();
        Action action{Action::Type,
                      dropDown,
                      consumeOffset(in, size),
                      consumeOffset(in, size),
                      consumeOffset(in, size),
                      "",
                      0};
        switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0: {
            if (!usable(model, dropDown))
                continue;
            const Key key = consumeKey(in);
            utf8 = utf8 && key.utf8;
            action.bytes = key.bytes;
            trace.actions.push_back(action);
            const DropDownEdit e =
                wiring.keyTyped(dropDown, {action.start, action.length, action.caret}, key.bytes);
            checkReturned(model, dropDown, e, utf8, trace);
            if (!key.bytes.empty())
                checkTypedCharacter(e, key.bytes, trace);
            break;
        }
        case 1: {
            if (!usable(model, dropDown))
                continue;
            action.kind = Action::Backspace;
            trace.actions.push_back(action);
            const DropDownEdit e =
                wiring.backspacePressed(dropDown, {action.start, action.length, action.caret});
            checkReturned(model, dropDown, e, utf8, trace);
            break;
        }
        case 2: {
            if (!usable(model, dropDown))
                continue;
            action.kind = Action::Pick;
            action.index = consumeEntry(in, model.control(dropDown).items.size());
            trace.actions.push_back(action);
            const DropDownEdit e = wiring.entryPicked(dropDown, action.index);
            checkReturned(model, dropDown, e, utf8, trace);
            break;
        }
        case 3: {
            if (!usable(model, dropDown))
                continue;
            action.kind = Action::Paste;
            action.bytes = in.ConsumeRandomLengthString(32);
            utf8 = utf8 && fuzz::validUtf8(action.bytes);
            trace.actions.push_back(action);
            wiring.textChanged(dropDown, action.bytes);
            require(
                model.text(dropDown) == action.bytes && model.currentEntry(dropDown) == -1,
                [&] { return "a paste left another text or an entry current" + describe(trace); });
            break;
        }
        case 4: {
            const std::string box = checkBoxName(in.ConsumeIntegralInRange(1, 25));
            if (!usable(model, box.c_str()))
                continue;
            trace.actions.push_back({Action::Click, box, 0, 0, 0, "", 0});
            wiring.checkedChanged(box, !model.checked(box));
            break;
        }
        case 5: {
            const char* field = kEdits[in.ConsumeIntegralInRange<std::size_t>(0, 13)];
            if (!usable(model, field))
                continue;
            trace.actions.push_back(
                {Action::Edit, field, 0, 0, 0, in.ConsumeRandomLengthString(16), 0});
            wiring.textChanged(field, trace.actions.back().bytes);
            break;
        }
        default: {
            const char* group = kRadioGroups[in.ConsumeIntegralInRange<std::size_t>(0, 3)];
            if (!usable(model, group))
                continue;
            const int items = static_cast<int>(model.control(group).items.size());
            const int index = in.ConsumeIntegralInRange(0, items - 1);
            trace.actions.push_back({Action::Select, group, 0, 0, 0, "", index});
            wiring.itemIndexChanged(group, index);
        }
        }
        checkDropDowns(model, trace);
        checkRules(model, trace);
    }
    if (fuzz::verbose()) {
        std::fprintf(stderr, "session%s\n", describe(trace).c_str());
        for (const char* name : kDropDowns)
            std::fprintf(stderr, "  %s %s entry %d%s\n", name, escaped(model.text(name)).c_str(),
                         model.currentEntry(name), usable(model, name) ? "" : " (not usable)");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        fuzzWiring(in);
    else
        fuzzTyping(in);
    return 0;
}
