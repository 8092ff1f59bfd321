#include "CommandBuilder.h"

#include "CommandLine.h"
#include "SampleRateChoice.h"

#include <array>
#include <string_view>

namespace quendra {

namespace {

struct TagField {
    const char* option;
    const char* control;
    const char* placeholder;
    const char* replacement;
};

const TagField kTags[] = {
    {"--tt", "Edit03", "<title>", ""},
    {"--ta", "Edit04", "<artist>", ""},
    {"--tl", "Edit05", "<album>", ""},
    {"--ty", "Edit06", "<year>", ""},
    {"--tc", "Edit07", "<additional info>", "Encoded with Quendra v1.1"},
    {"--tn", "Edit08", "<track number>", ""},
    {"--tg", "ComboBox5", "<genre>", ""},
};

struct Flag {
    const char* control;
    bool addsWhenChecked;
    const char* option;
};

const Flag kStreamFlags[] = {
    {"CheckBox02", true, " -p"},
    {"CheckBox03", true, " -o"},
    {"CheckBox04", true, " -c"},
};

const Flag kProcessorFlags[] = {
    {"CheckBox15", true, " --noasm mmx"},
    {"CheckBox16", true, " --noasm 3dnow"},
    {"CheckBox17", true, " --noasm sse"},
};

const Flag kCompatibilityFlags[] = {
    {"CheckBox18", true, " --freeformat"}, {"CheckBox19", true, " --strictly-enforce-ISO"},
    {"CheckBox20", false, " --nores"},     {"CheckBox21", false, " --noshort"},
    {"CheckBox22", false, " --allshort"},  {"CheckBox23", true, " -d"},
    {"CheckBox24", false, " --notemp"},    {"CheckBox25", false, " -t"},
};

struct FilterField {
    const char* control;
    const char* option;
    const char* value;
};

const FilterField kFilters[] = {
    {"CheckBox10", " --highpass ", "Edit11"},
    {"CheckBox11", " --highpass-width ", "Edit12"},
    {"CheckBox12", " --lowpass ", "Edit13"},
    {"CheckBox13", " --lowpass-width ", "Edit14"},
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
    switch (model.itemIndex("RadioGroup1")) {
    case 0: // CBR
        if (choice) {
            sample = choice->bareNumber;
            options = "--cbr -b " + model.text(choice->bitrateDropDown);
        }
        break;
    case 1: // VBR
        options = "-V " + std::to_string(model.position("TrackBar1"));
        if (choice)
            sample = choice->bareNumber;
        break;
    case 2: // ABR
        if (choice) {
            sample = choice->bareNumber;
            std::string bitrate = model.text(choice->bitrateDropDown);
            if (bitrate == "auto")
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
        const std::string value = text == tag.placeholder ? tag.replacement : text;
        options += ' ';
        options += tag.option;
        options += ' ';
        options += quoteArgument(value);
    }
}

void appendAth(std::string& options, const FormModel& model) {
    if (!model.checked("CheckBox05"))
        options += " --noath";
    else if (model.text("ComboBox7") != "auto")
        options += " --athtype " + model.text("ComboBox7");
    if (model.checked("CheckBox06"))
        options += " --athonly";
    if (model.checked("CheckBox07") && !model.checked("CheckBox06"))
        options += " --athshort";
    if (model.checked("CheckBox08"))
        options += " --athlower " + model.text("Edit15");
}

void appendBandwidth(std::string& options, const FormModel& model) {
    if (model.checked("CheckBox09"))
        return;
    if (model.checked("CheckBox14")) {
        options += " -k";
        return;
    }
    for (const FilterField& filter : kFilters)
        if (model.checked(filter.control))
            options += filter.option + model.text(filter.value);
}

void appendQualityMeasure(std::string& options, const FormModel& model) {
    const std::string& measure = model.text("ComboBox6");
    if (measure.size() == 3 && measure[0] == '-' && measure[1] == 'X' && measure[2] >= '1' &&
        measure[2] <= '7') {
        options += " -X ";
        options += measure[2];
    }
}

} // namespace

EncoderCommand CommandBuilder::build(const FormModel& model) {
    std::string options;
    std::string sample = model.text("ComboBox1");

    appendBitrateMode(options, sample, model);
    options += itemOption(kStereoModes, model.itemIndex("RadioGroup2"));
    if (sample != "auto")
        options += " --resample " + sample;
    if (model.checked("CheckBox01"))
        appendTags(options, model);
    options += itemOption(kDeemphasis, model.itemIndex("RadioGroup3"));
    options += itemOption(kReplayGain, model.itemIndex("RadioGroup4"));
    appendFlags(options, model, kStreamFlags);
    appendAth(options, model);
    appendBandwidth(options, model);
    appendFlags(options, model, kProcessorFlags);
    appendQualityMeasure(options, model);
    appendFlags(options, model, kCompatibilityFlags);
    options += " --scale " + model.text("Edit09");
    options += " -q " + std::to_string(model.position("TrackBar2"));
    options += ' ' + quoteArgument(model.text("Edit01"));
    options += ' ' + quoteArgument(model.text("Edit02"));

    return EncoderCommand{"lame.bin " + options};
}

} // namespace quendra
