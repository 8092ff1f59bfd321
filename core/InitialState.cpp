#include "InitialState.h"

#include <stdexcept>

namespace quendra {

namespace {

using K = ControlKind;

struct Row {
    const char* name;
    K kind;
    const char* parent;
    const char* caption;
    const char* text;
    bool enabled;
    bool visible;
    bool checked;
};

constexpr bool on = true;
constexpr bool off = false;

// clang-format off
// name, kind, parent, caption, text, enabled, visible, checked
const Row kRows[] = {
    // files
    {"Label01", K::Label, kWindow, "input file:", "", on, on, off},
    {"Edit01", K::Edit, kWindow, "", "", on, on, off},
    {"Button2", K::Button, kWindow, "...", "", on, on, off},
    {"Label02", K::Label, kWindow, "output file:", "", on, on, off},
    {"Edit02", K::Edit, kWindow, "", "", on, on, off},
    {"Button3", K::Button, kWindow, "...", "", on, on, off},
    {"Button1", K::Button, kWindow, "Start encoding", "", on, on, off},
    // bitrate and sampling
    {"RadioGroup1", K::RadioGroup, kWindow, "bitrate mode", "", on, on, off},
    {"Label03", K::Label, kWindow, "sampling frequency:", "", on, on, off},
    {"ComboBox1", K::DropDown, kWindow, "", "auto", on, on, off},
    {"Label04", K::Label, kWindow, "bitrate:", "", on, on, off},
    {"ComboBox2", K::DropDown, kWindow, "", "auto", on, off, off},
    {"ComboBox3", K::DropDown, kWindow, "", "auto", on, off, off},
    {"ComboBox4", K::DropDown, kWindow, "", "auto", on, on, off},
    {"Label05", K::Label, kWindow, "VBR quality:", "", on, off, off},
    {"Label06", K::Label, kWindow, "quality <> compression", "", on, off, off},
    {"TrackBar1", K::Slider, kWindow, "", "", on, off, off},
    // quality
    {"Label07", K::Label, kWindow, "algorithm quality:", "", on, on, off},
    {"Label08", K::Label, kWindow, "quality <> speed", "", on, on, off},
    {"TrackBar2", K::Slider, kWindow, "", "", on, on, off},
    {"Label10", K::Label, kWindow, "input scale:", "", on, on, off},
    {"Edit09", K::Edit, kWindow, "", "1", on, on, off},
    {"Label11", K::Label, kWindow, "tonality limit:", "", off, on, off},
    {"Edit10", K::Edit, kWindow, "", "8.8717", off, on, off},
    {"Label12", K::Label, kWindow, "quality measure:", "", on, on, off},
    {"ComboBox6", K::DropDown, kWindow, "", "-X0", on, on, off},
    // stream settings
    {"RadioGroup2", K::RadioGroup, kWindow, "stereo mode", "", on, on, off},
    {"RadioGroup3", K::RadioGroup, kWindow, "de-emphasis", "", on, on, off},
    {"RadioGroup4", K::RadioGroup, kWindow, "ReplayGain", "", on, on, off},
    {"CheckBox02", K::CheckBox, kWindow, "use CRCs", "", on, on, off},
    {"CheckBox03", K::CheckBox, kWindow, "mark as copy", "", on, on, off},
    {"CheckBox04", K::CheckBox, kWindow, "mark as copyrighted", "", on, on, off},
    // ID3 tags
    {"Label09", K::Label, kWindow, "ID3 tags:", "", on, on, off},
    {"CheckBox01", K::CheckBox, kWindow, "enabled", "", on, on, off},
    {"Edit03", K::Edit, kWindow, "", "<title>", off, on, off},
    {"Edit04", K::Edit, kWindow, "", "<artist>", off, on, off},
    {"Edit05", K::Edit, kWindow, "", "<album>", off, on, off},
    {"Edit06", K::Edit, kWindow, "", "<year>", off, on, off},
    {"Edit07", K::Edit, kWindow, "", "<additional info>", off, on, off},
    {"Edit08", K::Edit, kWindow, "", "<track number>", off, on, off},
    {"ComboBox5", K::DropDown, kWindow, "", "<genre>", off, on, off},
    // ATH settings
    {"GroupBox1", K::GroupBox, kWindow, "ATH settings", "", on, on, off},
    {"CheckBox05", K::CheckBox, "GroupBox1", "use ATH:", "", on, on, on},
    {"ComboBox7", K::DropDown, "GroupBox1", "", "auto", on, on, off},
    {"CheckBox06", K::CheckBox, "GroupBox1", "ATH only", "", on, on, off},
    {"CheckBox07", K::CheckBox, "GroupBox1", "ATH only for short blocks", "", on, on, off},
    {"CheckBox08", K::CheckBox, "GroupBox1", "lower the ATH by", "", on, on, off},
    {"Edit15", K::Edit, "GroupBox1", "", "", on, on, off},
    {"Label17", K::Label, "GroupBox1", "dB", "", on, on, off},
    // bandwidth settings
    {"GroupBox2", K::GroupBox, kWindow, "bandwidth settings", "", on, on, off},
    {"CheckBox09", K::CheckBox, "GroupBox2", "automatic", "", on, on, on},
    {"CheckBox10", K::CheckBox, "GroupBox2", "highpass filtering frequency:", "", off, on, off},
    {"Edit11", K::Edit, "GroupBox2", "", "", off, on, off},
    {"Label13", K::Label, "GroupBox2", "kHz", "", off, on, off},
    {"CheckBox11", K::CheckBox, "GroupBox2", "width of highpass filtering:", "", off, on, off},
    {"Edit12", K::Edit, "GroupBox2", "", "", off, on, off},
    {"Label14", K::Label, "GroupBox2", "kHz", "", off, on, off},
    {"CheckBox12", K::CheckBox, "GroupBox2", "lowpass filtering frequency:", "", off, on, on},
    {"Edit13", K::Edit, "GroupBox2", "", "auto", off, on, off},
    {"Label15", K::Label, "GroupBox2", "kHz", "", on, off, off},
    {"CheckBox13", K::CheckBox, "GroupBox2", "width of lowpass filtering:", "", off, on, on},
    {"Edit14", K::Edit, "GroupBox2", "", "auto", off, on, off},
    {"Label16", K::Label, "GroupBox2", "kHz", "", on, off, off},
    {"CheckBox14", K::CheckBox, "GroupBox2", "full bandwidth", "", off, on, off},
    // assembly optimizations
    {"GroupBox3", K::GroupBox, kWindow, "assembly optimizations", "", on, on, off},
    {"CheckBox15", K::CheckBox, "GroupBox3", "disable MMX", "", on, on, off},
    {"CheckBox16", K::CheckBox, "GroupBox3", "disable 3DNow!", "", on, on, off},
    {"CheckBox17", K::CheckBox, "GroupBox3", "disable SSE", "", on, on, off},
    // compatibility settings
    {"GroupBox4", K::GroupBox, kWindow, "compatibility settings", "", on, on, off},
    {"CheckBox18", K::CheckBox, "GroupBox4", "free format bitstream", "", on, on, off},
    {"CheckBox19", K::CheckBox, "GroupBox4", "strict ISO compliance", "", on, on, off},
    {"CheckBox20", K::CheckBox, "GroupBox4", "use bit reservoir", "", on, on, on},
    {"CheckBox21", K::CheckBox, "GroupBox4", "use short blocks", "", on, on, on},
    {"CheckBox22", K::CheckBox, "GroupBox4", "use long blocks", "", on, on, on},
    {"CheckBox23", K::CheckBox, "GroupBox4", "block type control", "", on, on, off},
    {"CheckBox24", K::CheckBox, "GroupBox4", "use temporal masking", "", on, on, on},
    {"CheckBox25", K::CheckBox, "GroupBox4", "write INFO Tag", "", on, on, on},
};
// clang-format on

struct ListRow {
    const char* name;
    std::vector<std::string> items;
    int itemIndex;
};

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
    {"RadioGroup1", {"CBR", "VBR", "ABR"}, 0},
    {"RadioGroup2",
     {"automatic", "stereo", "joint stereo", "forced joint stereo", "dual channels", "mono"},
     0},
    {"RadioGroup3", {"none", "50/15 microsec", "CITT j.17"}, 0},
    {"RadioGroup4", {"disabled", "fast", "accurate"}, 1},
    {"ComboBox1",
     {"auto", "16 kHz", "22.05 kHz", "24 kHz", "32 kHz", "44.1 kHz", "48 kHz"},
     -1},
    {"ComboBox2",
     {"auto", "32", "40", "48", "56", "64", "80", "96", "112", "128", "160", "192", "224", "256",
      "320"},
     -1},
    {"ComboBox3",
     {"auto", "8", "16", "24", "32", "40", "48", "56", "64", "80", "96", "112", "128", "144",
      "160"},
     -1},
    {"ComboBox4",
     {"auto", "8", "16", "24", "32", "40", "48", "56", "64", "80", "96", "112", "128", "144",
      "160", "192", "224", "256", "320"},
     -1},
    {"ComboBox5", kGenres, -1},
    {"ComboBox6", {"-X0", "-X1", "-X2", "-X3", "-X4", "-X5", "-X6", "-X7"}, -1},
    {"ComboBox7", {"auto", "0", "1", "2"}, -1},
};

// clang-format on

struct SliderRow {
    const char* name;
    int minimum;
    int maximum;
    int position;
};

const SliderRow kSliders[] = {
    {"TrackBar1", 0, 9, 4},
    {"TrackBar2", 0, 9, 2},
};

} // namespace

std::vector<ControlState> initialControls() {
    std::vector<ControlState> controls;
    for (const Row& row : kRows) {
        ControlState c;
        c.name = row.name;
        c.kind = row.kind;
        c.parent = row.parent;
        c.caption = row.caption;
        c.text = row.text;
        c.enabled = row.enabled;
        c.visible = row.visible;
        c.checked = row.checked;
        controls.push_back(std::move(c));
    }
    auto find = [&controls](const char* name) -> ControlState& {
        for (ControlState& c : controls)
            if (c.name == name)
                return c;
        throw std::logic_error(std::string("initial state: no control named ") + name);
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
    find("ComboBox2").currentEntry = 0;
    return controls;
}

const std::vector<std::string>& genreNames() {
    return kGenres;
}

} // namespace quendra
