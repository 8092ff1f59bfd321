#include "IgnoredOptions.h"

namespace lamebin {

namespace {

using Settings = EncoderSettings;

bool variable(const Settings& s) {
    return s.rate == Settings::Rate::Variable;
}

bool fastQuality(const Settings& s) {
    return s.quality && *s.quality >= 7;
}

struct Ignored {
    const char* option;
    bool (*given)(const Settings&);
    bool (*ignored)(const Settings&); // with the other settings
    const char* when;
};

// clang-format off
const Ignored kIgnored[] = {
    {"--athshort", [](const Settings& s) { return s.athShort; },
     [](const Settings&) { return true; }, ""},
    {"-d", [](const Settings& s) { return s.differentShortBlocks; },
     [](const Settings&) { return true; }, ""},
    {"--athtype", [](const Settings& s) { return s.athType.has_value(); },
     variable, " in VBR (-V)"},
    {"--notemp", [](const Settings& s) { return s.noTemporalMasking; },
     [](const Settings& s) { return variable(s) || fastQuality(s); }, " in VBR (-V) or at -q 7 to 9"},
    {"-X", [](const Settings& s) { return s.quantComparison.has_value(); },
     [](const Settings& s) { return variable(s) || fastQuality(s); }, " in VBR (-V) or at -q 7 to 9"},
};
// clang-format on

} // namespace

std::vector<std::string> ignoredByLibrary(const EncoderSettings& settings) {
    std::vector<std::string> lines;
    for (const Ignored& option : kIgnored)
        if (option.given(settings) && option.ignored(settings))
            lines.push_back(std::string(option.option) + " changes nothing: LAME's library" +
                            option.when + " does not act on it.");
    return lines;
}

} // namespace lamebin
