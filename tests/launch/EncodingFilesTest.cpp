// Which file names lame.bin refuses to encode, on a file system made up for each case.
#include "EncodingFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace lamebin;

namespace {

using Strings = std::vector<std::string>;

struct RefusalCase {
    const char* name;
    Strings files;
    std::string refusal; // a part of the reason; empty: the encoding may start
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

class Refusal : public testing::TestWithParam<RefusalCase> {};

// A path of "length" bytes of names of the longest a name can be, 255 bytes.
std::string pathOfLongNames(std::size_t length, char letter) {
    std::string path;
    while (path.size() < length) {
        if (!path.empty())
            path += '/';
        path += std::string(std::min<std::size_t>(255, length - path.size()), letter);
    }
    return path;
}

TEST_P(Refusal, OnlyNamesThatCannotBeEncoded) {
    // in.wav is reached by three names; copy.wav is another file on another device with the
    // same inode number.
    const std::map<std::string, PathInfo> files{
        {"in.wav", {true, false, {1, 10}}},   {"./in.wav", {true, false, {1, 10}}},
        {"link.mp3", {true, false, {1, 10}}}, {"copy.wav", {true, false, {2, 10}}},
        {"old.mp3", {true, false, {1, 11}}},  {"folder", {true, true, {1, 12}}},
    };
    const PathProbe probe = [&](const std::string& path) {
        const auto found = files.find(path);
        return found == files.end() ? PathInfo{} : found->second;
    };
    const std::string reason = refusal(GetParam().files, probe);
    if (GetParam().refusal.empty())
        EXPECT_EQ(reason, "");
    else
        EXPECT_NE(reason.find(GetParam().refusal), std::string::npos) << reason;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Refusal, testing::Values(
    RefusalCase{"NewOutput", {"in.wav", "new.mp3"}, ""},
    RefusalCase{"ExistingOtherOutputIsReplacedAsAsked", {"in.wav", "old.mp3"}, ""},
    RefusalCase{"SameInodeOnAnotherDevice", {"in.wav", "copy.wav"}, ""},
    RefusalCase{"MissingInputIsLeftToTheReader", {"missing.wav", "new.mp3"}, ""},
    RefusalCase{"NoFiles", {}, ""},
    RefusalCase{"InputOnly", {"in.wav"}, ""},
    RefusalCase{"EmptyInput", {"", "old.mp3"}, "no input file"},
    RefusalCase{"EmptyOutput", {"in.wav", ""}, "no output file"},
    RefusalCase{"BothEmpty", {"", ""}, "no input file"},
    RefusalCase{"LongestPathsPass", {pathOfLongNames(4095, 'i'), pathOfLongNames(4095, 'o')}, ""},
    RefusalCase{"OutputFolderNamePastTheLongestName", {"in.wav", std::string(256, 'f') + "/new.mp3"},
                "the name \"" + std::string(256, 'f') + "\" in it is 256 bytes long"},
    RefusalCase{"InputPastTheLongestPath", {std::string(4096, 'i'), "new.mp3"},
                "the input name is 4096 bytes long"},
    RefusalCase{"OutputPastTheLongestPath", {"in.wav", std::string(4096, 'o')},
                "the output name is 4096 bytes long"},
    RefusalCase{"InputFolder", {"folder", "new.mp3"}, "\"folder\" is a folder"},
    RefusalCase{"OutputIsInput", {"in.wav", "in.wav"}, "is the input file"},
    RefusalCase{"OutputIsInputInOtherWords", {"in.wav", "./in.wav"}, "is the input file"},
    RefusalCase{"OutputLinksToInput", {"in.wav", "link.mp3"}, "is the input file"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });
// clang-format on

} // namespace
