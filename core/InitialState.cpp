#include "InitialState.h"

#include "FormValues.h"

#include <stdexcept>

namespace quendra {

namespace {

using K = ControlKind;

struct Row {
    ControlName name;
    K kind;
    ControlName parent;
    const char* caption;
    std::string_view text;
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
    {control::Label01, K::Label, control::Form1, "input file:", "", on, on, off},
    {control::Edit01, K::Edit, control::Form1, "", "", on, on, off},
    {control::Button2, K::Button, control::Form1, "...", "", on, on, off},
    {control::Label02, K::Label, control::Form1, "output file:", "", on, on, off},
    {control::Edit02, K::Edit, control::Form1, "", "", on, on, off},
    {control::Button3, K::Button, control::Form1, "...", "", on, on, off},
    {control::Button1, K::Button, control::Form1, "Start encoding", "", on, on, off},
    // bitrate and sampling
    {control::RadioGroup1, K::RadioGroup, control::Form1, "bitrate mode", "", on, on, off},
    {control::Label03, K::Label, control::Form1, "sampling frequency:", "", on, on, off},
    {control::ComboBox1, K::DropDown, control::Form1, "", kAuto, on, on, off},
    {control::Label04, K::Label, control::Form1, "bitrate:", "", on, on, off},
    {control::ComboBox2, K::DropDown, control::Form1, "", kAuto, on, off, off},
    {control::ComboBox3, K::DropDown, control::Form1, "", kAuto, on, off, off},
    {control::ComboBox4, K::DropDown, control::Form1, "", kAuto, on, on, off},
    {control::Label05, K::Label, control::Form1, "VBR quality:", "", on, off, off},
    {control::Label06, K::Label, control::Form1, "quality <> compression", "", on, off, off},
    {control::TrackBar1, K::Slider, control::Form1, "", "", on, off, off},
    // quality
    {control::Label07, K::Label, control::Form1, "algorithm quality:", "", on, on, off},
    {control::Label08, K::Label, control::Form1, "quality <> speed", "", on, on, off},
    {control::TrackBar2, K::Slider, control::Form1, "", "", on, on, off},
    {control::Label10, K::Label, control::Form1, "input scale:", "", on, on, off},
    {control::Edit09, K::Edit, control::Form1, "", "1", on, on, off},
    {control::Label11, K::Label, control::Form1, "tonality limit:", "", off, on, off},
    {control::Edit10, K::Edit, control::Form1, "", "8.8717", off, on, off},
    {control::Label12, K::Label, control::Form1, "quality measure:", "", on, on, off},
    {control::ComboBox6, K::DropDown, control::Form1, "", "-X0", on, on, off},
    // stream settings
    {control::RadioGroup2, K::RadioGroup, control::Form1, "stereo mode", "", on, on, off},
    {control::RadioGroup3, K::RadioGroup, control::Form1, "de-emphasis", "", on, on, off},
    {control::RadioGroup4, K::RadioGroup, control::Form1, "ReplayGain", "", on, on, off},
    {control::CheckBox02, K::CheckBox, control::Form1, "use CRCs", "", on, on, off},
    {control::CheckBox03, K::CheckBox, control::Form1, "mark as copy", "", on, on, off},
    {control::CheckBox04, K::CheckBox, control::Form1, "mark as copyrighted", "", on, on, off},
    // ID3 tags
    {control::Label09, K::Label, control::Form1, "ID3 tags:", "", on, on, off},
    {control::CheckBox01, K::CheckBox, control::Form1, "enabled", "", on, on, off},
    {control::Edit03, K::Edit, control::Form1, "", placeholder::Title, off, on, off},
    {control::Edit04, K::Edit, control::Form1, "", placeholder::Artist, off, on, off},
    {control::Edit05, K::Edit, control::Form1, "", placeholder::Album, off, on, off},
    {control::Edit06, K::Edit, control::Form1, "", placeholder::Year, off, on, off},
    {control::Edit07, K::Edit, control::Form1, "", placeholder::Comment, off, on, off},
    {control::Edit08, K::Edit, control::Form1, "", placeholder::Track, off, on, off},
    {control::ComboBox5, K::DropDown, control::Form1, "", placeholder::Genre, off, on, off},
    // ATH settings
    {control::GroupBox1, K::GroupBox, control::Form1, "ATH settings", "", on, on, off},
    {control::CheckBox05, K::CheckBox, control::GroupBox1, "use ATH:", "", on, on, on},
    {control::ComboBox7, K::DropDown, control::GroupBox1, "", kAuto, on, on, off},
    {control::CheckBox06, K::CheckBox, control::GroupBox1, "ATH only", "", on, on, off},
    {control::CheckBox07, K::CheckBox, control::GroupBox1, "ATH only for short blocks", "", on, on, off},
    {control::CheckBox08, K::CheckBox, control::GroupBox1, "lower the ATH by", "", on, on, off},
    {control::Edit15, K::Edit, control::GroupBox1, "", "", on, on, off},
    {control::Label17, K::Label, control::GroupBox1, "dB", "", on, on, off},
    // bandwidth settings
    {control::GroupBox2, K::GroupBox, control::Form1, "bandwidth settings", "", on, on, off},
    {control::CheckBox09, K::CheckBox, control::GroupBox2, "automatic", "", on, on, on},
    {control::CheckBox10, K::CheckBox, control::GroupBox2, "highpass filtering frequency:", "", off, on, off},
    {control::Edit11, K::Edit, control::GroupBox2, "", "", off, on, off},
    {control::Label13, K::Label, control::GroupBox2, "kHz", "", off, on, off},
    {control::CheckBox11, K::CheckBox, control::GroupBox2, "width of highpass filtering:", "", off, on, off},
    {control::Edit12, K::Edit, control::GroupBox2, "", "", off, on, off},
    {control::Label14, K::Label, control::GroupBox2, "kHz", "", off, on, off},
    {control::CheckBox12, K::CheckBox, control::GroupBox2, "lowpass filtering frequency:", "", off, on, on},
    {control::Edit13, K::Edit, control::GroupBox2, "", kAuto, off, on, off},
    {control::Label15, K::Label, control::GroupBox2, "kHz", "", on, off, off},
    {control::CheckBox13, K::CheckBox, control::GroupBox2, "width of lowpass filtering:", "", off, on, on},
    {control::Edit14, K::Edit, control::GroupBox2, "", kAuto, off, on, off},
    {control::Label16, K::Label, control::GroupBox2, "kHz", "", on, off, off},
    {control::CheckBox14, K::CheckBox, control::GroupBox2, "full bandwidth", "", off, on, off},
    // assembly optimizations
    {control::GroupBox3, K::GroupBox, control::Form1, "assembly optimizations", "", on, on, off},
    {control::CheckBox15, K::CheckBox, control::GroupBox3, "disable MMX", "", on, on, off},
    {control::CheckBox16, K::CheckBox, control::GroupBox3, "disable 3DNow!", "", on, on, off},
    {control::CheckBox17, K::CheckBox, control::GroupBox3, "disable SSE", "", on, on, off},
    // compatibility settings
    {control::GroupBox4, K::GroupBox, control::Form1, "compatibility settings", "", on, on, off},
    {control::CheckBox18, K::CheckBox, control::GroupBox4, "free format bitstream", "", on, on, off},
    {control::CheckBox19, K::CheckBox, control::GroupBox4, "strict ISO compliance", "", on, on, off},
    {control::CheckBox20, K::CheckBox, control::GroupBox4, "use bit reservoir", "", on, on, on},
    {control::CheckBox21, K::CheckBox, control::GroupBox4, "use short blocks", "", on, on, on},
    {control::CheckBox22, K::CheckBox, control::GroupBox4, "use long blocks", "", on, on, on},
    {control::CheckBox23, K::CheckBox, control::GroupBox4, "block type control", "", on, on, off},
    {control::CheckBox24, K::CheckBox, control::GroupBox4, "use temporal masking", "", on, on, on},
    {control::CheckBox25, K::CheckBox, control::GroupBox4, "write INFO Tag", "", on, on, on},
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
        c.parent = row.parent;
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
