#include "LameArguments.h"

#include <algorithm>
#include <iterator>

namespace quendra {

namespace {

const char* const kValuedOptions[] = {
    "--tt",
    "--ta",
    "--tl",
    "--ty",
    "--tc",
    "--tn",
    "--tg",
    "-b",
    "--abr",
    "-V",
    "-m",
    "--resample",
    "-e",
    "--athtype",
    "--athlower",
    "--highpass",
    "--highpass-width",
    "--lowpass",
    "--lowpass-width",
    "--noasm",
    "-X",
    "--scale",
    "-q",
};

// Whether an option of the front-end's vocabulary takes the next argument as its value.
bool takesValue(const std::string& option) {
    return std::any_of(std::begin(kValuedOptions), std::end(kValuedOptions),
                       [&](const char* valued) { return option == valued; });
}

} // namespace

std::vector<std::string> translateForLame(const std::vector<std::string>& arguments) {
    std::vector<std::string> translated;
    translated.reserve(arguments.size() + 4);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-k") {
            translated.insert(translated.end(), {"--lowpass", "-1", "--highpass", "-1"});
            continue;
        }
        translated.push_back(argument);
        if (takesValue(argument) && i + 1 < arguments.size()) {
            const std::string& value = arguments[++i];
            translated.push_back(argument == "-b" && value == "auto" ? "0" : value);
        }
    }
    return translated;
}

std::vector<std::string> fileArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument.front() != '-')
            files.push_back(argument);
        else if (takesValue(argument))
            ++i;
    }
    return files;
}

} // namespace quendra
