#include "FormTables.h"

#include <algorithm>

namespace quendra::ui {

namespace {

constexpr const char* W = "Form1";
constexpr int kNoTab = -1;

// clang-format off
const std::vector<Placement> kPlacements = {
    // name           parent       left  top  width height  tab
    {"Label01",      W,           {  8, 120,  45,  13}, kNoTab},
    {"Label02",      W,           {  8, 168,  53,  13}, kNoTab},
    {"Label03",      W,           {248, 120,  97,  13}, kNoTab},
    {"Label04",      W,           {400, 120,  36,  13}, kNoTab},
    {"Label05",      W,           {248, 168,  58,  13}, kNoTab},
    {"Label06",      W,           {344, 168, 113,  13}, kNoTab},
    {"Label07",      W,           {248, 216,  83,  13}, kNoTab},
    {"Label08",      W,           {376, 216,  83,  13}, kNoTab},
    {"Label09",      W,           {480, 120,  45,  13}, kNoTab},
    {"Label10",      W,           {248, 272,  55,  13}, kNoTab},
    {"Label11",      W,           {248, 296,  61,  13}, kNoTab},
    {"Label12",      W,           {376, 272,  80,  13}, kNoTab},
    {"Edit01",       W,           {  8, 136, 185,  21},  0},
    {"Edit02",       W,           {  8, 184, 185,  21},  1},
    {"Edit03",       W,           {480, 136, 145,  21},  2},
    {"Edit04",       W,           {480, 160, 145,  21},  3},
    {"Edit05",       W,           {480, 184, 145,  21},  4},
    {"Edit06",       W,           {480, 208, 145,  21},  5},
    {"Edit07",       W,           {480, 232, 145,  21},  6},
    {"Edit08",       W,           {480, 256, 145,  21},  7},
    {"Edit09",       W,           {312, 272,  41,  21},  8},
    {"Edit10",       W,           {312, 296,  41,  21},  9},
    {"CheckBox01",   W,           {568, 118,  57,  17}, 10},
    {"CheckBox02",   W,           {144, 360,  65,  17}, 11},
    {"CheckBox03",   W,           {144, 376,  81,  17}, 12},
    {"CheckBox04",   W,           {144, 392, 121,  17}, 13},
    {"ComboBox1",    W,           {248, 136,  97,  21}, 14},
    {"ComboBox2",    W,           {400, 136,  57,  21}, 15},
    {"ComboBox3",    W,           {400, 136,  57,  21}, 16},
    {"ComboBox4",    W,           {400, 136,  57,  21}, 17},
    {"ComboBox5",    W,           {480, 280, 145,  21}, 18},
    {"ComboBox6",    W,           {376, 288,  81,  21}, 19},
    {"RadioGroup1",  W,           {144, 216,  81,  65}, 20},
    {"RadioGroup2",  W,           {  8, 216, 129, 121}, 21},
    {"RadioGroup3",  W,           {  8, 344, 129,  65}, 22},
    {"RadioGroup4",  W,           {144, 288,  81,  65}, 23},
    {"Button1",      W,           {296, 586, 184,  25}, 24},
    {"Button2",      W,           {200, 136,  25,  21}, 25},
    {"Button3",      W,           {200, 184,  25,  21}, 26},
    {"TrackBar1",    W,           {240, 184, 225,  25}, 27},
    {"TrackBar2",    W,           {240, 232, 225,  25}, 28},
    {"GroupBox1",    W,           {296, 328, 185, 121}, 29},
    {"Label17",      "GroupBox1", {160,  96,  12,  13}, kNoTab},
    {"Edit15",       "GroupBox1", {112,  96,  41,  21},  0},
    {"CheckBox05",   "GroupBox1", {  8,  24,  65,  17},  1},
    {"CheckBox06",   "GroupBox1", {  8,  48,  65,  17},  2},
    {"CheckBox07",   "GroupBox1", {  8,  72, 145,  17},  3},
    {"CheckBox08",   "GroupBox1", {  8,  96, 105,  17},  4},
    {"ComboBox7",    "GroupBox1", { 80,  24,  49,  21},  5},
    {"GroupBox2",    W,           {  8, 416, 241, 169}, 30},
    {"Label13",      "GroupBox2", {216,  48,  17,  13}, kNoTab},
    {"Label14",      "GroupBox2", {216,  72,  17,  13}, kNoTab},
    {"Label15",      "GroupBox2", {216,  96,  17,  13}, kNoTab},
    {"Label16",      "GroupBox2", {216, 120,  17,  13}, kNoTab},
    {"Edit11",       "GroupBox2", {168,  48,  41,  21},  0},
    {"Edit12",       "GroupBox2", {168,  72,  41,  21},  1},
    {"Edit13",       "GroupBox2", {168,  96,  41,  21},  2},
    {"Edit14",       "GroupBox2", {168, 120,  41,  21},  3},
    {"CheckBox09",   "GroupBox2", {  8,  24,  65,  17},  4},
    {"CheckBox10",   "GroupBox2", {  8,  48, 153,  17},  5},
    {"CheckBox11",   "GroupBox2", {  8,  72, 145,  17},  6},
    {"CheckBox12",   "GroupBox2", {  8,  96, 153,  17},  7},
    {"CheckBox13",   "GroupBox2", {  8, 120, 145,  17},  8},
    {"CheckBox14",   "GroupBox2", {  8, 144,  89,  17},  9},
    {"GroupBox3",    W,           {488, 552, 137,  97}, 31},
    {"CheckBox15",   "GroupBox3", {  8,  24,  81,  17},  0},
    {"CheckBox16",   "GroupBox3", {  8,  48,  97,  17},  1},
    {"CheckBox17",   "GroupBox3", {  8,  72,  73,  17},  2},
    {"GroupBox4",    W,           {488, 328, 137, 217}, 32},
    {"CheckBox18",   "GroupBox4", {  8,  24, 121,  17},  0},
    {"CheckBox19",   "GroupBox4", {  8,  48, 121,  17},  1},
    {"CheckBox20",   "GroupBox4", {  8,  72,  97,  17},  2},
    {"CheckBox21",   "GroupBox4", {  8,  96,  97,  17},  3},
    {"CheckBox22",   "GroupBox4", {  8, 120,  97,  17},  4},
    {"CheckBox23",   "GroupBox4", {  8, 144, 105,  17},  5},
    {"CheckBox24",   "GroupBox4", {  8, 168, 121,  17},  6},
    {"CheckBox25",   "GroupBox4", {  8, 192,  97,  17},  7},
};

const std::vector<Decoration> kDecorations = {
    // name      left  top  width height  caption                                  picture
    {"Image1",  {  8,   8, 618, 102}, nullptr,                                  ":/quendra/banner.png"},
    {"Image2",  {296, 456, 184, 122}, nullptr,                                  ":/quendra/encoder.png"},
    {"Label18", {  8, 591, 126,  13}, "Main Programmer: Tarvo Ilmand",         nullptr},
    {"Label19", {  8, 608,  99,  13}, "Programmer: Sini Kaave",                nullptr},
    {"Label20", {  8, 624, 171,  13}, "Beta Testers: Aune, Ilpo, Merja, Veli", nullptr},
    {"Label21", {  8, 640, 128,  13}, "Special Thanks: Orna Lidvik",           nullptr},
    {"Label22", {300, 624, 177,  13}, "For updates and other versions visit:", nullptr},
    {"Label23", {300, 640, 154,  13}, "http://quendra.example.org/orvo/",      nullptr},
};
// clang-format on

const std::vector<Hint> kHints = {
    {"Label10", "This just multiplies the PCM data."},
    {"CheckBox02", "Turn on CRC error protection."},
    {"CheckBox03", "Mark the encoded file as being a copy."},
    {"CheckBox04", "Mark the encoded file as being copyrighted."},
    {"ComboBox1", "Select output sampling frequency."},
    {"TrackBar1", "Specifies the value of VBR quality."},
    {"RadioGroup4",
     "Only the \"RadioGain\" ReplayGain value is computed. It is stored in the LAME tag. The "
     "analysis is performed with the reference volume equal to 89dB."},
    {"CheckBox06", "This option causes LAME to ignore the output of the psy-model and only use "
                   "masking from the ATH (absolute threshold of hearing)."},
    {"CheckBox07", "Ignore psychoacoustic model for short blocks, use ATH only."},
    {"CheckBox08", "Lower the ATH (absolute threshold of hearing)."},
    {"CheckBox10", "Set an highpass filtering frequency. Frequencies below the specified one will "
                   "be cutoff."},
    {"CheckBox11", "Set the width of the highpass filter."},
    {"CheckBox12", "Set a lowpass filtering frequency. Frequencies above the specified one will be "
                   "cutoff."},
    {"CheckBox13", "Set the width of the lowpass filter."},
    {"CheckBox18", "Produces a free format bitstream."},
    {"CheckBox19",
     "With this option, LAME will enforce the 7680 bit limitation on total frame size."},
    {"CheckBox20", "Enable the bit reservoir."},
    {"CheckBox21", "Let LAME use short blocks when appropriate."},
    {"CheckBox22", "Let LAME use long blocks when appropriate."},
    {"CheckBox23", "Allows the left and right channels to use different block size types."},
    {"CheckBox24", "Make use of the temporal masking effect."},
    {"CheckBox25", "Enable writing of the INFO Tag on encoding."},
    {"TrackBar2",
     "Bitrate is of course the main influence on quality. The higher the bitrate, the higher the "
     "quality. At any given bitrate, though, the encoder can still choose between several "
     "algorithms for the scalefactors and the Huffman coding (noise shaping); this slider sets "
     "how hard it tries."},
    {"ComboBox6",
     "When LAME searches for a \"good\" quantization, it has to compare the actual one with the "
     "best one found so far. That comparison decides which of the two quantizations is the "
     "better one, and the -X parameter selects the approach the comparison takes."},
    {"RadioGroup3",
     "All this does is set a flag in the bitstream. Set it only when the PCM input had one of "
     "these (obsolete) emphasis types applied, so that a decoder de-emphasises the output during "
     "playback. Most decoders ignore the flag."},
    {"CheckBox05",
     "The Absolute Threshold of Hearing is the minimum threshold under which humans are unable "
     "to hear any sound. The encoder knows three shapes of it, numbered 0, 1 and 2; CBR and ABR "
     "encodings use shape 2 unless another is chosen."},
    {"CheckBox14",
     "Tells the encoder to use full bandwidth and to disable all filters. Otherwise the encoder "
     "lowpass-filters at lower bitrates, so that the few bits go to the frequencies that matter "
     "most."},
    {"GroupBox3",
     "Disable specific assembly optimizations. This never raises the quality, it only makes "
     "encoding slower. Turning off the MMX code can help on processors where the encoder has "
     "problems with it."},
};

const std::vector<AccessibleName> kAccessibleNames = {
    {"Edit01", "input file:"},
    {"Edit02", "output file:"},
    {"Edit03", "ID3 tags: title"},
    {"Edit04", "ID3 tags: artist"},
    {"Edit05", "ID3 tags: album"},
    {"Edit06", "ID3 tags: year"},
    {"Edit07", "ID3 tags: additional info"},
    {"Edit08", "ID3 tags: track number"},
    {"ComboBox5", "ID3 tags: genre"},
    {"Edit09", "input scale:"},
    {"Edit10", "tonality limit:"},
    {"ComboBox1", "sampling frequency:"},
    {"ComboBox2", "bitrate:"},
    {"ComboBox3", "bitrate:"},
    {"ComboBox4", "bitrate:"},
    {"ComboBox6", "quality measure:"},
    {"TrackBar1", "VBR quality:"},
    {"TrackBar2", "algorithm quality:"},
    {"ComboBox7", "use ATH:"},
    {"Edit15", "lower the ATH by"},
    {"Edit11", "highpass filtering frequency:"},
    {"Edit12", "width of highpass filtering:"},
    {"Edit13", "lowpass filtering frequency:"},
    {"Edit14", "width of lowpass filtering:"},
};

} // namespace

const std::vector<Placement>& placements() {
    return kPlacements;
}

const Placement* placementOf(std::string_view name) {
    const auto it = std::find_if(kPlacements.begin(), kPlacements.end(),
                                 [name](const Placement& p) { return name == p.name; });
    return it == kPlacements.end() ? nullptr : &*it;
}

const std::vector<Decoration>& decorations() {
    return kDecorations;
}

const std::vector<Hint>& hints() {
    return kHints;
}

const std::vector<AccessibleName>& accessibleNames() {
    return kAccessibleNames;
}

} // namespace quendra::ui
