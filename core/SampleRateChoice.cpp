#include "SampleRateChoice.h"

namespace quendra {

namespace {

// clang-format off
constexpr SampleRateChoice kChoices[] = {
    // text         bare number  bitrate drop-down  ABR bitrate for "auto"
    {"auto",        "auto",      "ComboBox4",       "128"},
    {"16 kHz",      "16",        "ComboBox3",       "48"},
    {"22.05 kHz",   "22.05",     "ComboBox3",       "64"},
    {"24 kHz",      "24",        "ComboBox3",       "64"},
    {"32 kHz",      "32",        "ComboBox2",       "96"},
    {"44.1 kHz",    "44.1",      "ComboBox2",       "128"},
    {"48 kHz",      "48",        "ComboBox2",       "128"},
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
