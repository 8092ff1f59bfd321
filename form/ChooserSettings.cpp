#include "ChooserSettings.h"

namespace quendra::form {

namespace {

constexpr std::string_view kInputFilter =
    "all supported files|*.wav;*.wave;*.aif;*.aiff;*.mp1;*.mpg;*.mp2;*.mp3|Wave files|*.wav;*.wave|"
    "AIFF files|*.aif;*.aiff|MPEG Layer I files|*.mp1;*.mpg|MPEG Layer II files|*.mp2|"
    "MPEG Layer III files|*.mp3";
constexpr std::string_view kOutputFilter = "MP3 files|*.mp3|all files|*";

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const ChooserSettings kInput{
    DialogKind::Open,
    "select input file",
    filterPairs(kInputFilter),
    /*readOnlyBoxShownAndTicked=*/true,
    /*fileMustExist=*/true,
    /*resizable=*/false,
    /*confirmOverwrite=*/false,
    /*defaultExtension=*/"",
    StartFolder::PlatformDefault,
    control::Edit01,
};

const ChooserSettings kOutput{
    DialogKind::Save,
    "select output file",
    filterPairs(kOutputFilter),
    /*readOnlyBoxShownAndTicked=*/false,
    /*fileMustExist=*/false,
    /*resizable=*/true,
    /*confirmOverwrite=*/false,
    /*defaultExtension=*/"mp3",
    StartFolder::CurrentDirectory,
    control::Edit02,
};

} // namespace

std::vector<FileFilter> filterPairs(std::string_view text) {
    std::vector<FileFilter> filters;
    const std::vector<std::string_view> parts = split(text, '|');
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        FileFilter filter{std::string(parts[i]), {}};
        for (std::string_view pattern : split(parts[i + 1], ';'))
            if (!trimmed(pattern).empty())
                filter.patterns.emplace_back(trimmed(pattern));
        if (!filter.patterns.empty())
            filters.push_back(std::move(filter));
    }
    return filters;
}

const ChooserSettings& chooserSettings(Chooser chooser) {
    return chooser == Chooser::InputFile ? kInput : kOutput;
}

} // namespace quendra::form
