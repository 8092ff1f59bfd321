#include "InitialState.h"

#include "FormValues.h"

#include <stdexcept>

namespace quendra {

namespace {

using K = ControlKind;

struct Row {
    ControlName name;
    K kind;
    const char* caption;
    std::string_view text;
    bool enabled;
    bool visible;
    bool checked;
};

constexpr bool on = true;
constexpr bool off = false;

// clang-format off
// name, kind, caption, text, enabled, visible, checked
const Row kRows[] = {
    // files
    {control::Label01, K::Label, "input file:", "", on, on, off},
    {control::Edit01, K::Edit, "", "", on, on, off},
    {control::Button2, K::Button, "...", "", on, on, off},
    {control::Label02, K::Label, "output file:", "", on, on, off},
    {control::Edit02, K::Edit, "", "", on, on, off},
    {control::Button3, K::Button, "...", "", on, on, off},
    {control::Button1, K::Button, "Start encoding", "", on, on, off},
    // bitrate and sampling
    {control::RadioGroup1, K::RadioGroup, "bitrate mode", "", on, on, off},
    {control::Label03, K::Label, "sampling frequency:", "", on, on, off},
    {control::ComboBox1, K::DropDown, "", kAuto, on, on, off},
    {control::Label04, K::Label, "bitrate:", "", on, on, off},
    {control::ComboBox2, K::DropDown, "", kAuto, on, off, off},
    {control::ComboBox3, K::DropDown, "", kAuto, on, off, off},
    {control::ComboBox4, K::DropDown, "", kAuto, on, on, off},
    {control::Label05, K::Label, "VBR quality:", "", on, off, off},
    {control::Label06, K::Label, "quality <> compression", "", on, off, off},
    {control::TrackBar1, K::Slider, "", "", on, off, off},
    // quality
    {control::Label07, K::Label, "algorithm quality:", "", on, on, off},
    {control::Label08, K::Label, "quality <> speed", "", on, on, off},
    {control::TrackBar2, K::Slider, "", "", on, on, off},
    {control::Label10, K::Label, "input scale:", "", on, on, off},
    {control::Edit09, K::Edit, "", "1", on, on, off},
    {control::Label11, K::Label, "tonality limit:", "", off, on, off},
    {control::Edit10, K::Edit, "", "8.8717", off, on, off},
    {control::Label12, K::Label, "quality measure:", "", on, on, off},
    {control::ComboBox6, K::DropDown, "", "-X0", on, on, off},
    // stream settings
    {control::RadioGroup2, K::RadioGroup, "stereo mode", "", on, on, off},
    {control::RadioGroup3, K::RadioGroup, "de-emphasis", "", on, on, off},
    {control::RadioGroup4, K::RadioGroup, "ReplayGain", "", on, on, off},
    {control::CheckBox02, K::CheckBox, "use CRCs", "", on, on, off},
    {control::CheckBox03, K::CheckBox, "mark as copy", "", on, on, off},
    {control::CheckBox04, K::CheckBox, "mark as copyrighted", "", on, on, off},
    // ID3 tags
    {control::Label09, K::Label, "ID3 tags:", "", on, on, off},
    {control::CheckBox01, K::CheckBox, "enabled", "", on, on, off},
    {control::Edit03, K::Edit, "", placeholder::Title, off, on, off},
    {control::Edit04, K::Edit, "", placeholder::Artist, off, on, off},
    {control::Edit05, K::Edit, "", placeholder::Album, off, on, off},
    {control::Edit06, K::Edit, "", placeholder::Year, off, on, off},
    {control::Edit07, K::Edit, "", placeholder::Comment, off, on, off},
    {control::Edit08, K::Edit, "", placeholder::Track, off, on, off},
    {control::ComboBox5, K::DropDown, "", placeholder::Genre, off, on, off},
    // ATH settings
    {control::GroupBox1, K::GroupBox, "ATH settings", "", on, on, off},
    {control::CheckBox05, K::CheckBox, "use ATH:", "", on, on, on},
    {control::ComboBox7, K::DropDown, "", kAuto, on, on, off},
    {control::CheckBox06, K::CheckBox, "ATH only", "", on, on, off},
    {control::CheckBox07, K::CheckBox, "ATH only for short blocks", "", on, on, off},
    {control::CheckBox08, K::CheckBox, "lower the ATH by", "", on, on, off},
    {control::Edit15, K::Edit, "", "", on, on, off},
    {control::Label17, K::Label, "dB", "", on, on, off},
    // bandwidth settings
    {control::GroupBox2, K::GroupBox, "bandwidth settings", "", on, on, off},
    {control::CheckBox09, K::CheckBox, "automatic", "", on, on, on},
    {control::CheckBox10, K::CheckBox, "highpass filtering frequency:", "", off, on, off},
    {control::Edit11, K::Edit, "", "", off, on, off},
    {control::Label13, K::Label, "kHz", "", off, on, off},
    {control::CheckBox11, K::CheckBox, "width of highpass filtering:", "", off, on, off},
    {control::Edit12, K::Edit, "", "", off, on, off},
    {control::Label14, K::Label, "kHz", "", off, on, off},
    {control::CheckBox12, K::CheckBox, "lowpass filtering frequency:", "", off, on, on},
    {control::Edit13, K::Edit, "", kAuto, off, on, off},
    {control::Label15, K::Label, "kHz", "", on, off, off},
    {control::CheckBox13, K::CheckBox, "width of lowpass filtering:", "", off, on, on},
    {control::Edit14, K::Edit, "", kAuto, off, on, off},
    {control::Label16, K::Label, "kHz", "", on, off, off},
    {control::CheckBox14, K::CheckBox, "full bandwidth", "", off, on, off},
    // assembly optimizations
    {control::GroupBox3, K::GroupBox, "assembly optimizations", "", on, on, off},
    {control::CheckBox15, K::CheckBox, "disable MMX", "", on, on, off},
    {control::CheckBox16, K::CheckBox, "disable 3DNow!", "", on, on, off},
    {control::CheckBox17, K::CheckBox, "disable SSE", "", on, on, off},
    // compatibility settings
    {control::GroupBox4, K::GroupBox, "compatibility settings", "", on, on, off},
    {control::CheckBox18, K::CheckBox, "free format bitstream", "", on, on, off},
    {control::CheckBox19, K::CheckBox, "strict ISO compliance", "", on, on, off},
    {control::CheckBox20, K::CheckBox, "use bit reservoir", "", on, on, on},
    {control::CheckBox21, K::CheckBox, "use short blocks", "", on, on, on},
    {control::CheckBox22, K::CheckBox, "use long blocks", "", on, on, on},
    {control::CheckBox23, K::CheckBox, "block type control", "", on, on, off},
    {control::CheckBox24, K::CheckBox, "use temporal masking", "", on, on, on},
    {control::CheckBox25, K::CheckBox, "write INFO Tag", "", on, on, on},
};
// clang-format on

struct ListRow {
    ControlName name;
    std::vector<std::string> items;
    int itemIndex;
};

const std::string kAutoEntry(kAuto);

// clang-format off
const std::vector<std::string> kGenres = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunge", "Hip-Hop", "Jazz",
    "Metal", "New Age", "Oldies", "Other", "Pop", "R&B", "Rap", "Reggae", "Rock", "Techno",
    "Industrial", "Alternative", "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno",
    "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk", "Fusion", "Trance", "Classical", "Instrumental",
    "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise", "Alt. Rock", "Bass", "Punk", "Space",
    "Meditative", "Instrumental Pop", "Instrumental Rock", "Ethnic", "Gothic", "Darkwave",
    "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream", "Southern Rock", "Comedy",
    "Cult", "Gangsta Rap", "Top 40", "Christian Rap", "Pop/Funk", "Jungle", "Native American",
    "Cabaret", "New Wave", "Psychedelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal",
    "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock", "Folk",
    "Folk/Rock", "National Folk", "Swing", "Fast-Fusion", "Bebob", "Latin", "Revival", "Celtic",
    "Bluegrass", "Avantgarde", "Gothic Rock", "Progressive Rock", "Psychedelic Rock",
    "Symphonic Rock", "Slow Rock", "Big Band", "Chorus", "Easy Listening", "Acoustic", "Humour",
    "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony", "Booty Bass", "Primus",
    "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad",
    "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A Cappella",
    "Euro-House", "Dance Hall", "Goa", "Drum & Bass", "Club-House", "Hardcore", "Terror", "Indie",
    "BritPop", "Negerpunk", "Polsk Punk", "Beat", "Christian Gangsta Rap", "Heavy Metal",
    "Black Metal", "Crossover", "Contemporary Christian", "Christian Rock", "Merengue", "Salsa",
    "Thrash Metal", "Anime", "JPop", "SynthPop"};

const ListRow kLists[] = {
    {control::RadioGroup1, {"CBR", "VBR", "ABR"}, 0},
    {control::RadioGroup2,
     {"automatic", "stereo", "joint stereo", "forced joint stereo", "dual channels", "mono"},
     0},
    {control::RadioGroup3, {"none", "50/15 microsec", "CITT j.17"}, 0},
    {control::RadioGroup4, {"disabled", "fast", "accurate"}, 1},
    {control::ComboBox1,
     {kAutoEntry, "16 kHz", "22.05 kHz", "24 kHz", "32 kHz", "44.1 kHz", "48 kHz"},
     -1},
    {control::ComboBox2,
     {kAutoEntry, "32", "40", "48", "56", "64", "80", "96", "112", "128", "160", "192", "224", "256",
      "320"},
     -1},
    {control::ComboBox3,
     {kAutoEntry, "8", "16", "24", "32", "40", "48", "56", "64", "80", "96", "112", "128", "144",
      "160"},
     -1},
    {control::ComboBox4,
     {kAutoEntry, "8", "16", "24", "32", "40", "48", "56", "64", "80", "96", "112", "128", "144",
      "160", "192", "224", "256", "320"},
     -1},
    {control::ComboBox5, kGenres, -1},
    {control::ComboBox6, {"-X0", "-X1", "-X2", "-X3", "-X4", "-X5", "-X6", "-X7"}, -1},
    {control::ComboBox7, {kAutoEntry, "0", "1", "2"}, -1},
};

// clang-format on

struct SliderRow {
    ControlName name;
    int minimum;
    int maximum;
    int position;
};

const SliderRow kSliders[] = {
    {control::TrackBar1, 0, 9, 4},
    {control::TrackBar2, 0, 9, 2},
};

} // namespace

std::vector<ControlState> initialControls() {
    std::vector<ControlState> controls;
    for (const Row& row : kRows) {
        ControlState c;
        c.name = row.name;
        c.kind = row.kind;
        c.caption = row.caption;
        c.text = row.text;
        c.enabled = row.enabled;
        c.visible = row.visible;
        c.checked = row.checked;
        controls.push_back(std::move(c));
    }
    auto find = [&controls](ControlName name) -> ControlState& {
        for (ControlState& c : controls)
            if (c.name == name)
                return c;
        throw std::logic_error("initial state: no control named " + std::string(name));
    };
    for (const ListRow& row : kLists) {
        ControlState& c = find(row.name);
        c.items = row.items;
        c.itemIndex = row.itemIndex;
    }
    for (const SliderRow& row : kSliders) {
        ControlState& c = find(row.name);
        c.minimum = row.minimum;
        c.maximum = row.maximum;
        c.position = row.position;
    }
    // ComboBox2 alone starts with its first entry current.
    find(control::ComboBox2).currentEntry = 0;
    return controls;
}

const std::vector<std::string>& genreNames() {
    return kGenres;
}

} // namespace quendra
