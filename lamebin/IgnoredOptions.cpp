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
    bool (*given)(const Settings&);   // null for a switch: given where named
    bool (*ignored)(const Settings&); // with the other settings
    const char* when;
};

// clang-format off
const Ignored kIgnored[] = {
    {"--athshort", nullptr, [](const Settings&) { return true; }, ""},
    {"-d", nullptr, [](const Settings&) { return true; }, ""},
    {"--athtype", [](const Settings& s) { return s.athType.has_value(); },
     variable, " in VBR (-V)"},
    {"--notemp", nullptr,
     [](const Settings& s) { return variable(s) || fastQuality(s); }, " in VBR (-V) or at -q 7 to 9"},
    {"-X", [](const Settings& s) { return s.quantComparison.has_value(); },
     [](const Settings& s) { return variable(s) || fastQuality(s); }, " in VBR (-V) or at -q 7 to 9"},
};
// clang-format on

} // namespace

std::vector<std::string> ignoredByLibrary(const EncoderSettings& settings) {
    std::vector<std::string> lines;
    for (const Ignored& option : kIgnored)
        if ((option.given ? option.given(settings) : settings.has(option.option)) &&
            option.ignored(settings))
            lines.push_back(std::string(option.option) + " changes nothing: LAME's library" +
                            option.when + " does not act on it.");
    return lines;
}

} // namespace lamebin
