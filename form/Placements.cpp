#include "Placements.h"

#include <algorithm>
#include <limits>

namespace quendra::form {

namespace {

constexpr int kNoTab = -1;

// clang-format off
const std::vector<Placement> kPlacements = {
    // name               parent                left  top  width height  tab
    {control::Label01,     control::Form1,       {  8, 120,  45,  13}, kNoTab},
    {control::Label02,     control::Form1,       {  8, 168,  53,  13}, kNoTab},
    {control::Label03,     control::Form1,       {248, 120,  97,  13}, kNoTab},
    {control::Label04,     control::Form1,       {400, 120,  36,  13}, kNoTab},
    {control::Label05,     control::Form1,       {248, 168,  58,  13}, kNoTab},
    {control::Label06,     control::Form1,       {344, 168, 113,  13}, kNoTab},
    {control::Label07,     control::Form1,       {248, 216,  83,  13}, kNoTab},
    {control::Label08,     control::Form1,       {376, 216,  83,  13}, kNoTab},
    {control::Label09,     control::Form1,       {480, 120,  45,  13}, kNoTab},
    {control::Label10,     control::Form1,       {248, 272,  55,  13}, kNoTab},
    {control::Label11,     control::Form1,       {248, 296,  61,  13}, kNoTab},
    {control::Label12,     control::Form1,       {376, 272,  80,  13}, kNoTab},
    {control::Edit01,      control::Form1,       {  8, 136, 185,  21},      0},
    {control::Edit02,      control::Form1,       {  8, 184, 185,  21},      1},
    {control::Edit03,      control::Form1,       {480, 136, 145,  21},      2},
    {control::Edit04,      control::Form1,       {480, 160, 145,  21},      3},
    {control::Edit05,      control::Form1,       {480, 184, 145,  21},      4},
    {control::Edit06,      control::Form1,       {480, 208, 145,  21},      5},
    {control::Edit07,      control::Form1,       {480, 232, 145,  21},      6},
    {control::Edit08,      control::Form1,       {480, 256, 145,  21},      7},
    {control::Edit09,      control::Form1,       {312, 272,  41,  21},      8},
    {control::Edit10,      control::Form1,       {312, 296,  41,  21},      9},
    {control::CheckBox01,  control::Form1,       {568, 118,  57,  17},     10},
    {control::CheckBox02,  control::Form1,       {144, 360,  65,  17},     11},
    {control::CheckBox03,  control::Form1,       {144, 376,  81,  17},     12},
    {control::CheckBox04,  control::Form1,       {144, 392, 121,  17},     13},
    {control::ComboBox1,   control::Form1,       {248, 136,  97,  21},     14},
    {control::ComboBox2,   control::Form1,       {400, 136,  57,  21},     15},
    {control::ComboBox3,   control::Form1,       {400, 136,  57,  21},     16},
    {control::ComboBox4,   control::Form1,       {400, 136,  57,  21},     17},
    {control::ComboBox5,   control::Form1,       {480, 280, 145,  21},     18},
    {control::ComboBox6,   control::Form1,       {376, 288,  81,  21},     19},
    {control::RadioGroup1, control::Form1,       {144, 216,  81,  65},     20},
    {control::RadioGroup2, control::Form1,       {  8, 216, 129, 121},     21},
    {control::RadioGroup3, control::Form1,       {  8, 344, 129,  65},     22},
    {control::RadioGroup4, control::Form1,       {144, 288,  81,  65},     23},
    {control::Button1,     control::Form1,       {296, 586, 184,  25},     24},
    {control::Button2,     control::Form1,       {200, 136,  25,  21},     25},
    {control::Button3,     control::Form1,       {200, 184,  25,  21},     26},
    {control::TrackBar1,   control::Form1,       {240, 184, 225,  25},     27},
    {control::TrackBar2,   control::Form1,       {240, 232, 225,  25},     28},
    {control::GroupBox1,   control::Form1,       {296, 328, 185, 121},     29},
    {control::Label17,     control::GroupBox1,   {160,  96,  12,  13}, kNoTab},
    {control::Edit15,      control::GroupBox1,   {112,  96,  41,  21},      0},
    {control::CheckBox05,  control::GroupBox1,   {  8,  24,  65,  17},      1},
    {control::CheckBox06,  control::GroupBox1,   {  8,  48,  65,  17},      2},
    {control::CheckBox07,  control::GroupBox1,   {  8,  72, 145,  17},      3},
    {control::CheckBox08,  control::GroupBox1,   {  8,  96, 105,  17},      4},
    {control::ComboBox7,   control::GroupBox1,   { 80,  24,  49,  21},      5},
    {control::GroupBox2,   control::Form1,       {  8, 416, 241, 169},     30},
    {control::Label13,     control::GroupBox2,   {216,  48,  17,  13}, kNoTab},
    {control::Label14,     control::GroupBox2,   {216,  72,  17,  13}, kNoTab},
    {control::Label15,     control::GroupBox2,   {216,  96,  17,  13}, kNoTab},
    {control::Label16,     control::GroupBox2,   {216, 120,  17,  13}, kNoTab},
    {control::Edit11,      control::GroupBox2,   {168,  48,  41,  21},      0},
    {control::Edit12,      control::GroupBox2,   {168,  72,  41,  21},      1},
    {control::Edit13,      control::GroupBox2,   {168,  96,  41,  21},      2},
    {control::Edit14,      control::GroupBox2,   {168, 120,  41,  21},      3},
    {control::CheckBox09,  control::GroupBox2,   {  8,  24,  65,  17},      4},
    {control::CheckBox10,  control::GroupBox2,   {  8,  48, 153,  17},      5},
    {control::CheckBox11,  control::GroupBox2,   {  8,  72, 145,  17},      6},
    {control::CheckBox12,  control::GroupBox2,   {  8,  96, 153,  17},      7},
    {control::CheckBox13,  control::GroupBox2,   {  8, 120, 145,  17},      8},
    {control::CheckBox14,  control::GroupBox2,   {  8, 144,  89,  17},      9},
    {control::GroupBox3,   control::Form1,       {488, 552, 137,  97},     31},
    {control::CheckBox15,  control::GroupBox3,   {  8,  24,  81,  17},      0},
    {control::CheckBox16,  control::GroupBox3,   {  8,  48,  97,  17},      1},
    {control::CheckBox17,  control::GroupBox3,   {  8,  72,  73,  17},      2},
    {control::GroupBox4,   control::Form1,       {488, 328, 137, 217},     32},
    {control::CheckBox18,  control::GroupBox4,   {  8,  24, 121,  17},      0},
    {control::CheckBox19,  control::GroupBox4,   {  8,  48, 121,  17},      1},
    {control::CheckBox20,  control::GroupBox4,   {  8,  72,  97,  17},      2},
    {control::CheckBox21,  control::GroupBox4,   {  8,  96,  97,  17},      3},
    {control::CheckBox22,  control::GroupBox4,   {  8, 120,  97,  17},      4},
    {control::CheckBox23,  control::GroupBox4,   {  8, 144, 105,  17},      5},
    {control::CheckBox24,  control::GroupBox4,   {  8, 168, 121,  17},      6},
    {control::CheckBox25,  control::GroupBox4,   {  8, 192,  97,  17},      7},
};

const std::vector<PicturePlacement> kPictures = {
    // name              left  top  width height   picture
    {control::Image1,  {  8,   8, 618, 102}, Picture::Banner},
    {control::Image2,  {296, 456, 184, 122}, Picture::EncoderLogo},
};

const std::vector<CreditLine> kCreditLines = {
    // name              left  top  width height   text
    {control::Label18, {  8, 591, 126,  13}, "Main Programmer: Tarvo Ilmand"},
    {control::Label19, {  8, 608,  99,  13}, "Programmer: Sini Kaave"},
    {control::Label20, {  8, 624, 171,  13}, "Beta Testers: Aune, Ilpo, Merja, Veli"},
    {control::Label21, {  8, 640, 128,  13}, "Special Thanks: Orna Lidvik"},
    {control::Label22, {300, 624, 177,  13}, "For updates and other versions visit:"},
    {control::Label23, {300, 640, 154,  13}, "http://quendra.example.org/orvo/"},
};
// clang-format on

bool isContainer(ControlName name) {
    return std::any_of(kPlacements.begin(), kPlacements.end(),
                       [name](const Placement& p) { return p.parent == name; });
}

void walk(ControlName parent, std::vector<ControlName>& stops) {
    std::vector<const Placement*> children;
    for (const Placement& p : kPlacements)
        if (p.parent == parent && p.tabOrder != kNoTab)
            children.push_back(&p);
    std::stable_sort(children.begin(), children.end(), [](const Placement* a, const Placement* b) {
        return a->tabOrder < b->tabOrder;
    });
    for (const Placement* p : children) {
        if (isContainer(p->name))
            walk(p->name, stops);
        else
            stops.push_back(p->name);
    }
}

} // namespace

const std::vector<Placement>& placements() {
    return kPlacements;
}

const Placement* placementOf(ControlName name) {
    const auto it = std::find_if(kPlacements.begin(), kPlacements.end(),
                                 [name](const Placement& p) { return p.name == name; });
    return it == kPlacements.end() ? nullptr : &*it;
}

const char* pictureName(Picture picture) {
    switch (picture) {
    case Picture::Banner:
        return "banner";
    case Picture::EncoderLogo:
        return "encoder";
    }
    return "";
}

const std::vector<PicturePlacement>& pictures() {
    return kPictures;
}

const std::vector<CreditLine>& creditLines() {
    return kCreditLines;
}

PixelRect clientExtent() {
    int right = 0;
    int bottom = 0;
    int margin = std::numeric_limits<int>::max();
    auto grow = [&](const PixelRect& r) {
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
        margin = std::min(margin, r.left);
    };
    for (const Placement& p : kPlacements)
        if (p.parent == control::Form1)
            grow(p.rect);
    for (const PicturePlacement& p : kPictures)
        grow(p.rect);
    for (const CreditLine& c : kCreditLines)
        grow(c.rect);
    return {0, 0, right + margin, bottom + margin};
}

const std::vector<ControlName>& tabWalk() {
    static const std::vector<ControlName> stops = [] {
        std::vector<ControlName> walked;
        walk(control::Form1, walked);
        return walked;
    }();
    return stops;
}

} // namespace quendra::form
