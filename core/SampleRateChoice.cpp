#include "SampleRateChoice.h"

#include "ControlNames.h"
#include "FormValues.h"

namespace quendra {

namespace {

// clang-format off
constexpr SampleRateChoice kChoices[] = {
    // text         bare number  bitrate drop-down  ABR bitrate for "auto"
    {kAuto,         kAuto,       control::ComboBox4,       "128"},
    {"16 kHz",      "16",        control::ComboBox3,       "48"},
    {"22.05 kHz",   "22.05",     control::ComboBox3,       "64"},
    {"24 kHz",      "24",        control::ComboBox3,       "64"},
    {"32 kHz",      "32",        control::ComboBox2,       "96"},
    {"44.1 kHz",    "44.1",      control::ComboBox2,       "128"},
    {"48 kHz",      "48",        control::ComboBox2,       "128"},
};
// clang-format on

} // namespace

const SampleRateChoice* SampleRateChoice::find(std::string_view text) {
    for (const SampleRateChoice& choice : kChoices)
        if (choice.text == text)
            return &choice;
    return nullptr;
}

} // namespace quendra
