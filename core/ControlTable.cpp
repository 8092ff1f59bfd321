#include "ControlTable.h"

#include "FormValues.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <utility>

namespace quendra {

namespace {

// What the rows of ControlTable.def say beyond name, kind and caption or text.

enum class Initially { Checked, Disabled, Hidden };
constexpr Initially checked = Initially::Checked;
constexpr Initially disabled = Initially::Disabled;
constexpr Initially hidden = Initially::Hidden;

struct Entries {
    std::vector<std::string> items;
};
Entries entries(std::initializer_list<std::string_view> items) {
    return {std::vector<std::string>(items.begin(), items.end())};
}
Entries entries(const std::vector<std::string>& items) {
    return {items};
}

// A drop-down whose first entry is current at start-up, although no one has picked it.
struct FirstEntryCurrent {};
constexpr FirstEntryCurrent firstEntryCurrent{};

// Items that each write their own word: a radio group's buttons, a drop-down's entries.
struct Choices {
    Step step;
    std::vector<std::pair<std::string_view, std::string_view>> itemsAndWords;
};
Choices choices(Step step,
                std::initializer_list<std::pair<std::string_view, std::string_view>> items) {
    return {step, items};
}

struct Selected {
    int index;
};
Selected selected(int index) {
    return {index};
}

struct Range {
    int minimum;
    int maximum;
    int position;
};
Range range(int minimum, int maximum, int position) {
    return {minimum, maximum, position};
}

struct HintText {
    const char* text;
};
HintText hint(const char* text) {
    return {text};
}

CommandOption whenChecked(Step step, std::string_view word, ControlName field = {}) {
    return {step, Writes::WhenChecked, word, field, {}};
}
CommandOption whenUnchecked(Step step, std::string_view word) {
    return {step, Writes::WhenUnchecked, word, {}, {}};
}
CommandOption value(Step step, std::string_view word) {
    return {step, Writes::Value, word, {}, {}};
}
CommandOption quoted(Step step) {
    return {step, Writes::Quoted, " ", {}, {}};
}
CommandOption tag(std::string_view word, std::string_view standsFor = {}) {
    return {Step::Tags, Writes::Tag, word, {}, standsFor};
}

void apply(ControlRow& row, Initially state) {
    switch (state) {
    case Initially::Checked:
        row.initial.checked = true;
        break;
    case Initially::Disabled:
        row.initial.enabled = false;
        break;
    case Initially::Hidden:
        row.initial.visible = false;
        break;
    }
}
void apply(ControlRow& row, const Entries& entries) {
    row.initial.items = entries.items;
}
void apply(ControlRow& row, FirstEntryCurrent) {
    row.initial.currentEntry = 0;
}
void apply(ControlRow& row, const Choices& choices) {
    for (const auto& [item, word] : choices.itemsAndWords) {
        row.initial.items.emplace_back(item);
        row.itemWords.push_back(word);
    }
    row.option = {choices.step, Writes::Chosen, {}, {}, {}};
}
void apply(ControlRow& row, Selected selected) {
    row.initial.itemIndex = selected.index;
}
void apply(ControlRow& row, const Range& range) {
    row.initial.minimum = range.minimum;
    row.initial.maximum = range.maximum;
    row.initial.position = range.position;
}
void apply(ControlRow& row, HintText hint) {
    row.hint = hint.text;
}
void apply(ControlRow& row, const CommandOption& option) {
    row.option = option;
}

template <typename... Attributes>
ControlRow row(ControlName name, ControlKind kind, std::string_view captionOrText,
               const Attributes&... attributes) {
    ControlRow made;
    made.initial.name = name;
    made.initial.kind = kind;
    const bool hasText = kind == ControlKind::Edit || kind == ControlKind::DropDown;
    (hasText ? made.initial.text : made.initial.caption) = captionOrText;
    if (kind == ControlKind::RadioGroup)
        made.initial.itemIndex = 0;
    (apply(made, attributes), ...);
    return made;
}

} // namespace

const std::vector<ControlRow>& controlTable() {
    static const std::vector<ControlRow> rows = {
#define CONTROL(name, kind, ...) row(control::name, ControlKind::kind, __VA_ARGS__),
#include "ControlTable.def"
#undef CONTROL
    };
    return rows;
}

const ControlRow& controlRow(ControlName name) {
    for (const ControlRow& row : controlTable())
        if (row.initial.name == name)
            return row;
    throw std::invalid_argument("no working control named \"" + std::string(name) + "\"");
}

const std::vector<const ControlRow*>& rowsOf(Step step) {
    using Rows = std::vector<const ControlRow*>;
    static const std::vector<Rows> byStep = [] {
        std::vector<Rows> rows;
        for (const ControlRow& row : controlTable()) {
            const auto index = static_cast<std::size_t>(row.option.step);
            rows.resize(std::max(rows.size(), index + 1));
            rows[index].push_back(&row);
        }
        return rows;
    }();
    static const Rows none;
    const auto index = static_cast<std::size_t>(step);
    return index < byStep.size() ? byStep[index] : none;
}

std::vector<ControlState> initialControls() {
    std::vector<ControlState> controls;
    for (const ControlRow& row : controlTable())
        controls.push_back(row.initial);
    return controls;
}

const std::vector<std::string>& genreNames() {
    // clang-format off
    static const std::vector<std::string> genres = {
        "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz",
        "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno",
        "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno",
        "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical",
        "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "Alt. Rock",
        "Bass", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic",
        "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream",
        "Southern Rock", "Comedy", "Cult", "Gangsta Rap", "Top 40", "Christian Rap", "Pop/Funk",
        "Jungle", "Native American", "Cabaret", "New Wave", "Psychedelic", "Rave", "Showtunes",
        "Trailer", "Lo-Fi", "Tribal", "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical",
        "Rock & Roll", "Hard Rock", "Folk", "Folk/Rock", "National Folk", "Swing", "Fast-Fusion",
        "Bebob", "Latin", "Revival", "Celtic", "Bluegrass", "Avantgarde", "Gothic Rock",
        "Progressive Rock", "Psychedelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus",
        "Easy Listening", "Acoustic", "Humour", "Speech", "Chanson", "Opera", "Chamber Music",
        "Sonata", "Symphony", "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam", "Club",
        "Tango", "Samba", "Folklore", "Ballad", "Power Ballad", "Rhythmic Soul", "Freestyle",
        "Duet", "Punk Rock", "Drum Solo", "A Cappella", "Euro-House", "Dance Hall", "Goa",
        "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie", "BritPop", "Negerpunk",
        "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal", "Black Metal", "Crossover",
        "Contemporary Christian", "Christian Rock", "Merengue", "Salsa", "Thrash Metal", "Anime",
        "JPop", "SynthPop"};
    // clang-format on
    return genres;
}

} // namespace quendra
