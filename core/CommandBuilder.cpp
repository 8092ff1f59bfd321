#include "CommandBuilder.h"

#include "CommandLine.h"
#include "FormValues.h"
#include "SampleRateChoice.h"

#include <array>
#include <string_view>

namespace quendra {

namespace {

struct TagField {
    const char* option;
    ControlName control;
    std::string_view placeholder;
    std::string_view replacement;
};

const TagField kTags[] = {
    {"--tt", control::Edit03, placeholder::Title, ""},
    {"--ta", control::Edit04, placeholder::Artist, ""},
    {"--tl", control::Edit05, placeholder::Album, ""},
    {"--ty", control::Edit06, placeholder::Year, ""},
    {"--tc", control::Edit07, placeholder::Comment, "Encoded with Quendra v1.1"},
    {"--tn", control::Edit08, placeholder::Track, ""},
    {"--tg", control::ComboBox5, placeholder::Genre, ""},
};

struct Flag {
    ControlName control;
    bool addsWhenChecked;
    const char* option;
};

const Flag kStreamFlags[] = {
    {control::CheckBox02, true, " -p"},
    {control::CheckBox03, true, " -o"},
    {control::CheckBox04, true, " -c"},
};

const Flag kProcessorFlags[] = {
    {control::CheckBox15, true, " --noasm mmx"},
    {control::CheckBox16, true, " --noasm 3dnow"},
    {control::CheckBox17, true, " --noasm sse"},
};

const Flag kCompatibilityFlags[] = {
    {control::CheckBox18, true, " --freeformat"},
    {control::CheckBox19, true, " --strictly-enforce-ISO"},
    {control::CheckBox20, false, " --nores"},
    {control::CheckBox21, false, " --noshort"},
    {control::CheckBox22, false, " --allshort"},
    {control::CheckBox23, true, " -d"},
    {control::CheckBox24, false, " --notemp"},
    {control::CheckBox25, false, " -t"},
};

struct FilterField {
    ControlName control;
    const char* option;
    ControlName value;
};

const FilterField kFilters[] = {
    {control::CheckBox10, " --highpass ", control::Edit11},
    {control::CheckBox11, " --highpass-width ", control::Edit12},
    {control::CheckBox12, " --lowpass ", control::Edit13},
    {control::CheckBox13, " --lowpass-width ", control::Edit14},
};

// Options appended by a radio group's selected item; an empty text appends nothing.
const std::array<const char*, 6> kStereoModes = {"", " -m s", " -m j", " -m f", " -m d", " -m m"};
const std::array<const char*, 3> kDeemphasis = {"", " -e 5", " -e c"};
const std::array<const char*, 3> kReplayGain = {" --noreplaygain", "", " --replaygain-accurate"};

template <std::size_t N>
const char* itemOption(const std::array<const char*, N>& options, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? options[index] : "";
}

template <std::size_t N>
void appendFlags(std::string& options, const FormModel& model, const Flag (&flags)[N]) {
    for (const Flag& flag : flags)
        if (model.checked(flag.control) == flag.addsWhenChecked)
            options += flag.option;
}

void appendBitrateMode(std::string& options, std::string& sample, const FormModel& model) {
    const SampleRateChoice* choice = SampleRateChoice::find(sample);
    switch (static_cast<BitrateMode>(model.itemIndex(control::RadioGroup1))) {
    case BitrateMode::Cbr:
        if (choice) {
            sample = choice->bareNumber;
            options = "--cbr -b " + model.text(choice->bitrateDropDown);
        }
        break;
    case BitrateMode::Vbr:
        options = "-V " + std::to_string(model.position(control::TrackBar1));
        if (choice)
            sample = choice->bareNumber;
        break;
    case BitrateMode::Abr:
        if (choice) {
            sample = choice->bareNumber;
            std::string bitrate = model.text(choice->bitrateDropDown);
            if (bitrate == kAuto)
                bitrate = choice->abrBitrate;
            options = "--abr " + bitrate;
        }
        break;
    default:
        break;
    }
}

void appendTags(std::string& options, const FormModel& model) {
    for (const TagField& tag : kTags) {
        const std::string& text = model.text(tag.control);
        const std::string value(text == tag.placeholder ? tag.replacement : std::string_view(text));
        options += ' ';
        options += tag.option;
        options += ' ';
        options += quoteArgument(value);
    }
}

void appendAth(std::string& options, const FormModel& model) {
    if (!model.checked(control::CheckBox05))
        options += " --noath";
    else if (model.text(control::ComboBox7) != kAuto)
        options += " --athtype " + model.text(control::ComboBox7);
    if (model.checked(control::CheckBox06))
        options += " --athonly";
    if (model.checked(control::CheckBox07) && !model.checked(control::CheckBox06))
        options += " --athshort";
    if (model.checked(control::CheckBox08))
        options += " --athlower " + model.text(control::Edit15);
}

void appendBandwidth(std::string& options, const FormModel& model) {
    if (model.checked(control::CheckBox09))
        return;
    if (model.checked(control::CheckBox14)) {
        options += " -k";
        return;
    }
    for (const FilterField& filter : kFilters)
        if (model.checked(filter.control))
            options += filter.option + model.text(filter.value);
}

void appendQualityMeasure(std::string& options, const FormModel& model) {
    const std::string& measure = model.text(control::ComboBox6);
    if (measure.size() == 3 && measure[0] == '-' && measure[1] == 'X' && measure[2] >= '1' &&
        measure[2] <= '7') {
        options += " -X ";
        options += measure[2];
    }
}

} // namespace

EncoderCommand CommandBuilder::build(const FormModel& model) {
    std::string options;
    std::string sample = model.text(control::ComboBox1);

    appendBitrateMode(options, sample, model);
    options += itemOption(kStereoModes, model.itemIndex(control::RadioGroup2));
    if (sample != kAuto)
        options += " --resample " + sample;
    if (model.checked(control::CheckBox01))
        appendTags(options, model);
    options += itemOption(kDeemphasis, model.itemIndex(control::RadioGroup3));
    options += itemOption(kReplayGain, model.itemIndex(control::RadioGroup4));
    appendFlags(options, model, kStreamFlags);
    appendAth(options, model);
    appendBandwidth(options, model);
    appendFlags(options, model, kProcessorFlags);
    appendQualityMeasure(options, model);
    appendFlags(options, model, kCompatibilityFlags);
    options += " --scale " + model.text(control::Edit09);
    options += " -q " + std::to_string(model.position(control::TrackBar2));
    options += ' ' + quoteArgument(model.text(control::Edit01));
    options += ' ' + quoteArgument(model.text(control::Edit02));

    return EncoderCommand{"lame.bin " + options};
}

} // namespace quendra
