// What the window's bad input gives once "Start encoding" is pressed: the real launcher and the
// real "lame.bin". Every case has one clear outcome, and no file is lost or written where no one
// asked for it.
#include "EncoderRuns.h"
#include "EventWiring.h"
#include "FormModel.h"

#include <gtest/gtest.h>

#include <functional>

#include <fcntl.h>
#include <unistd.h>

using namespace quendra;
using namespace launchtest;

namespace {

using Tree = std::map<std::string, std::string>;

constexpr int kFailed = 1;  // lame.bin's code for an encoding that could not be done
constexpr int kRefused = 2; // lame.bin's code for a command line or file names it does not encode

const Wave kInput = sineWave(330, 1.3, 0.5);

// Folders nested under "base" so that the returned folder's path is "length" bytes long; no name
// in it is longer than the 255 bytes a name can have.
fs::path deepFolder(const fs::path& base, std::size_t length) {
    std::string path = base.string();
    while (path.size() < length) {
        const std::size_t left = length - path.size() - 1;
        // Never leave room for a slash alone.
        path += '/';
        path += std::string(left <= 200 ? left : std::min<std::size_t>(200, left - 2), 'd');
    }
    fs::create_directories(path);
    return path;
}

// A name that makes "folder/name" exactly "length" bytes long.
std::string nameFilling(const fs::path& folder, std::size_t length, const std::string& ending) {
    return std::string(length - folder.string().size() - 1 - ending.size(), 'n') + ending;
}

// A file written through its folder's descriptor, so that its full path may exceed PATH_MAX.
void writeBeneath(const fs::path& folder, const std::string& name, const std::string& content) {
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(directory, 0);
    const int file =
        openat(directory, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ::close(directory);
    ASSERT_GE(file, 0);
    ASSERT_EQ(write(file, content.data(), content.size()), static_cast<ssize_t>(content.size()));
    ::close(file);
}

bool lameInstalled() {
    return runProgram({"lame", "--version"}).exitCode == 0;
}

// The folder the person works in: the input, an unrelated file, an earlier encoding. It is also
// the current directory, where a name LAME makes up by itself would land.
class BadInput : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(lameInstalled()) << "Debian's \"lame\" must be installed";
        fs::create_directory(work);
        fs::create_directory(logs);
        writeWave(work / "in.wav", kInput);
        writeFile(work / "keep.txt", "an unrelated file\n");
        fs::create_directory(work / "folder");
        fs::create_symlink("in.wav", work / "link.mp3");
        const ProgramRun earlier = runProgram(
            {"lame", "--quiet", (work / "in.wav").string(), (work / "earlier.mp3").string()});
        ASSERT_EQ(earlier.exitCode, 0) << earlier.output;
        cwd.emplace(work);
    }

    EncoderRun encode(FormModel& model, const std::string& input, const std::string& output) {
        const fs::path log = logs / (std::to_string(++runs) + ".log");
        return runEncoding(model, input, output, lameBinDirectory(), log, encoders);
    }

    TempDir dir;
    const fs::path work = dir / "work";
    const fs::path logs = dir / "logs";
    std::optional<CurrentDirectory> cwd;
    AdoptedEncoders encoders;
    int runs = 0;
};

// --- encodings that must fail ------------------------------------------------------------------

struct Paths {
    std::string input;
    std::string output;
};

struct FailingCase {
    const char* name;
    std::function<Paths(const fs::path& work)> paths;
    int exitCode;
    const char* message; // in what the encoder printed
};

void PrintTo(const FailingCase& c, std::ostream* out) {
    *out << c.name;
}

class FailingEncoding : public BadInput, public testing::WithParamInterface<FailingCase> {};

TEST_P(FailingEncoding, StartsThenFailsAndTouchesNoFile) {
    const FailingCase& c = GetParam();
    const Paths paths = c.paths(work);
    const Tree before = treeContents(work);

    FormModel model;
    const EncoderRun run = encode(model, paths.input, paths.output);
    ASSERT_TRUE(run.launch.started) << run.launch.reason;
    ASSERT_TRUE(run.ended) << "the encoder did not end";
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    ASSERT_EQ(encoders.ends().size(), 1u);
    EXPECT_EQ(encoders.ends().front().name, "lame.bin");

    const Tree after = treeContents(work);
    EXPECT_EQ(after.size(), before.size()) << "files were added or removed";
    for (const auto& [name, content] : before) {
        const auto now = after.find(name);
        EXPECT_TRUE(now != after.end() && now->second == content) << name << " changed";
    }
    // The one case whose output lies outside the working folder.
    if (paths.output.rfind(work.string(), 0) != 0 && !paths.output.empty()) {
        EXPECT_FALSE(fs::exists(paths.output)) << paths.output << " was written";
    }
}

std::string at(const fs::path& work, const char* name) {
    return (work / name).string();
}

// Paths longer than PATH_MAX (4096 bytes with the terminating NUL) lead into folders that exist.
Paths outputTooLong(const fs::path& work) {
    const fs::path folder = deepFolder(work / "deep", 4000);
    return {at(work, "in.wav"), (folder / nameFilling(folder, 4200, ".mp3")).string()};
}

// Inputs whose headers libsndfile refuses, said in a person's words: an MP3 cut off inside its
// first frame, a WAV at 0 Hz and the header of an AIFF-C file that ends before its sound.
Paths cutShortMp3(const fs::path& work) {
    writeFile(work / "cut.mp3", readFile(work / "earlier.mp3").substr(0, 179));
    return {at(work, "cut.mp3"), at(work, "out.mp3")};
}

Paths rateOfZero(const fs::path& work) {
    std::string wave = readFile(work / "in.wav");
    wave.replace(24, 4, 4, '\0'); // the sample rate in the "fmt " chunk
    writeFile(work / "zero.wav", wave);
    return {at(work, "zero.wav"), at(work, "out.mp3")};
}

Paths aiffcHeaderOnly(const fs::path& work) {
    // FORM, FVER and COMM (2 channels, 100 frames, 16 bits, 44100 Hz, not compressed), cut to 54
    // bytes; no SSND chunk.
    const char header[] = "FORM\0\0\0\x2e"
                          "AIFC"
                          "FVER\0\0\0\x04\xa2\x80\x51\x40"
                          "COMM\0\0\0\x18\0\x02\0\0\0\x64\0\x10"
                          "\x40\x0e\xac\x44\0\0\0\0\0\0"
                          "NONE\0\0";
    writeFile(work / "header.aifc", std::string(header, 54));
    return {at(work, "header.aifc"), at(work, "out.mp3")};
}

Paths inputTooLong(const fs::path& work) {
    const fs::path folder = deepFolder(work / "deep", 4000);
    const std::string name = nameFilling(folder, 4200, ".wav");
    writeBeneath(folder, name, readFile(work / "in.wav"));
    return {(folder / name).string(), at(work, "out.mp3")};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, FailingEncoding, testing::Values(
    FailingCase{"EmptyPaths", [](const fs::path&) { return Paths{"", ""}; },
                kRefused, "no input file"},
    FailingCase{"EmptyInputWithAnExistingOutput",
                [](const fs::path& w) { return Paths{"", at(w, "earlier.mp3")}; },
                kRefused, "no input file"},
    FailingCase{"EmptyOutput", [](const fs::path& w) { return Paths{at(w, "in.wav"), ""}; },
                kRefused, "no output file"},
    FailingCase{"MissingInput",
                [](const fs::path& w) { return Paths{at(w, "missing.wav"), at(w, "out.mp3")}; },
                kFailed, "cannot read the input"},
    FailingCase{"InputIsNotAudio",
                [](const fs::path& w) { return Paths{at(w, "keep.txt"), at(w, "out.mp3")}; },
                kFailed, "libsndfile cannot read it as audio"},
    FailingCase{"InputIsAFolder",
                [](const fs::path& w) { return Paths{at(w, "folder"), at(w, "out.mp3")}; },
                kRefused, "is a folder"},
    FailingCase{"OutputFolderMissing",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), at(w, "no folder/out.mp3")}; },
                kFailed, "cannot write the output"},
    FailingCase{"OutputFolderIsAFile",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), at(w, "keep.txt/out.mp3")}; },
                kFailed, "cannot write the output"},
    FailingCase{"OutputFolderNotWritable",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), "/proc/quendra-out.mp3"}; },
                kFailed, "cannot write the output"},
    FailingCase{"OutputIsAFolder",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), at(w, "folder")}; },
                kFailed, "it is a folder"},
    FailingCase{"OutputIsTheInput",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), at(w, "in.wav")}; },
                kRefused, "is the input"},
    FailingCase{"OutputIsTheInputInOtherWords",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), at(w, "./in.wav")}; },
                kRefused, "is the input"},
    FailingCase{"OutputIsALinkToTheInput",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), at(w, "link.mp3")}; },
                kRefused, "is the input"},
    FailingCase{"OutputNameLongerThanANameCanBe",
                [](const fs::path& w) { return Paths{at(w, "in.wav"), (w / (std::string(300, 'n') + ".mp3")).string()}; },
                kRefused, "in it is 304 bytes long"},
    FailingCase{"InputMp3CutShort", cutShortMp3, kFailed, ": it ends before its first sound."},
    FailingCase{"InputAiffcHeaderOnly", aiffcHeaderOnly, kFailed,
                ": it ends before its first sound."},
    FailingCase{"InputRateOfZero", rateOfZero, kFailed,
                ": its sample rate, 0 Hz, is not a sound's."},
    FailingCase{"OutputPathLongerThanPathMax", outputTooLong, kRefused,
                "the output name is 4200 bytes long"},
    FailingCase{"InputPathLongerThanPathMax", inputTooLong, kRefused,
                "the input name is 4200 bytes long"}),
    [](const testing::TestParamInfo<FailingCase>& info) { return info.param.name; });
// clang-format on

// --- no encoder to start ---------------------------------------------------------------------

enum class Encoder { Missing, PlainFile, Folder };

class UnstartableEncoder : public BadInput, public testing::WithParamInterface<Encoder> {};

TEST_P(UnstartableEncoder, IsReportedWithThePlacesSearchedAndNothingRuns) {
    const fs::path program = dir / "program";
    const fs::path emptyPath = dir / "empty";
    fs::create_directory(program);
    fs::create_directory(emptyPath);
    if (GetParam() == Encoder::PlainFile) {
        fs::copy_file(fs::path(LAMEBIN_PATH), program / "lame.bin");
        setMode(program / "lame.bin", fs::perms::owner_read | fs::perms::owner_write);
    }
    if (GetParam() == Encoder::Folder)
        fs::create_directory(program / "lame.bin");
    EnvironmentVariable path("PATH", emptyPath.c_str());
    const Tree before = treeContents(work);

    FormModel model;
    const EncoderRun run = runEncoding(model, at(work, "in.wav"), at(work, "out.mp3"), program,
                                       logs / "log", encoders);
    EXPECT_FALSE(run.launch.started);
    const std::string expectedReason =
        GetParam() == Encoder::Missing
            ? "The encoder \"lame.bin\" was not found."
            : "\"" + (program / "lame.bin").string() + "\" is not an executable file.";
    EXPECT_EQ(run.launch.reason, expectedReason);
    EXPECT_EQ(run.launch.searched, (std::vector<std::string>{(program / "lame.bin").string(),
                                                             (work / "lame.bin").string(),
                                                             (emptyPath / "lame.bin").string()}));
    EXPECT_TRUE(encoders.unreaped().empty() && encoders.ends().empty()) << "something was started";
    EXPECT_EQ(treeContents(work), before);
}

std::string encoderName(const testing::TestParamInfo<Encoder>& info) {
    const char* const names[] = {"Missing", "NotExecutable", "Folder"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Table, UnstartableEncoder,
                         testing::Values(Encoder::Missing, Encoder::PlainFile, Encoder::Folder),
                         encoderName);

// --- awkward text that must arrive exactly -----------------------------------------------------

// The seven tag fields in the order of the window, with the frame LAME writes each into.
const std::pair<const char*, const char*> kTagFields[] = {
    {"Edit03", "TIT2"}, {"Edit04", "TPE1"}, {"Edit05", "TALB"},    {"Edit06", "TYER"},
    {"Edit07", "COMM"}, {"Edit08", "TRCK"}, {"ComboBox5", "TCON"},
};

struct TextCase {
    const char* name;
    std::string text;  // in every path and every tag field, each with its own prefix
    const char* lcAll; // the session's locale settings; null: not set
    const char* lang;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << c.name;
}

class AwkwardText : public BadInput, public testing::WithParamInterface<TextCase> {};

TEST_P(AwkwardText, PathsAndTagsArriveExactly) {
    const TextCase& c = GetParam();
    EnvironmentVariable lcAll("LC_ALL", c.lcAll);
    EnvironmentVariable lcCtype("LC_CTYPE", nullptr);
    EnvironmentVariable lang("LANG", c.lang);

    const fs::path inputFolder = work / ("in " + c.text);
    const fs::path outputFolder = work / ("out " + c.text);
    fs::create_directory(inputFolder);
    fs::create_directory(outputFolder);
    const fs::path input = inputFolder / ("in put " + c.text + ".wav");
    const fs::path output = outputFolder / ("take " + c.text + ".mp3");
    writeWave(input, kInput);

    FormModel model;
    EventWiring wiring(model);
    wiring.checkedChanged("CheckBox01", true);
    std::map<std::string, std::string> typed;
    for (const auto& [field, frame] : kTagFields) {
        typed[frame] = std::string(frame) + " " + c.text;
        wiring.textChanged(field, typed[frame]);
    }
    const EncoderRun run = encode(model, input.string(), output.string());
    ASSERT_TRUE(run.launch.started) << run.launch.reason;
    ASSERT_TRUE(run.ended);
    ASSERT_EQ(run.exitCode, 0) << run.line << "\n" << run.output;

    std::vector<std::string> written;
    for (const auto& entry : fs::directory_iterator(outputFolder))
        written.push_back(entry.path().filename().string());
    EXPECT_EQ(written, std::vector<std::string>{output.filename().string()});
    const std::string bytes = readFile(output);
    const std::map<std::string, std::string> tags = id3v2Texts(bytes);
    for (const auto& [frame, value] : typed) {
        const auto found = tags.find(frame);
        EXPECT_TRUE(found != tags.end() && found->second == value)
            << frame << " is \"" << (found == tags.end() ? "<missing>" : found->second)
            << "\", typed \"" << value << "\"";
    }
    const std::optional<Wave> decoded = decodeMp3(output, dir / "decoded.wav");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->frames(), kInput.frames());
}

// Blanks, double quotes, backslashes (before a quote, doubled, at the end) and characters
// beyond ASCII, inside and outside the Basic Multilingual Plane.
const std::string kMixed = "say \"hi\" C:\\dir\\ a\\\"b ü ß 日本 ♫";
const std::string kEdges = "  \\\\\"\" lead and trail 🎵 \\";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, AwkwardText, testing::Values(
    TextCase{"Utf8Session", kMixed, nullptr, "C.UTF-8"},
    TextCase{"CLocaleSession", kMixed, "C", nullptr},
    TextCase{"NoLocaleSession", kMixed, nullptr, nullptr},
    TextCase{"EdgesUtf8Session", kEdges, nullptr, "C.UTF-8"},
    TextCase{"EdgesCLocaleSession", kEdges, "C", "C"}),
    [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });
// clang-format on

// --- the longest paths Linux takes ---------------------------------------------------------------

TEST_F(BadInput, PathsOfFourThousandBytesEncode) {
    const fs::path inFolder = deepFolder(work / "deep in", 3900);
    const fs::path outFolder = deepFolder(work / "deep out", 3900);
    const fs::path input = inFolder / nameFilling(inFolder, 4000, ".wav");
    // 4095 bytes: PATH_MAX with the terminating NUL.
    const fs::path output = outFolder / nameFilling(outFolder, 4095, ".mp3");
    ASSERT_EQ(input.string().size(), 4000u);
    ASSERT_EQ(output.string().size(), 4095u);
    const Wave longInput = sineWave(550, 1.7, 0.5);
    writeWave(input, longInput);

    FormModel model;
    const EncoderRun run = encode(model, input.string(), output.string());
    ASSERT_TRUE(run.launch.started) << run.launch.reason;
    ASSERT_TRUE(run.ended);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    ASSERT_TRUE(fs::exists(output));
    const fs::path copy = dir / "copy.mp3";
    fs::copy_file(output, copy);
    const std::optional<Wave> decoded = decodeMp3(copy, dir / "decoded.wav");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->frames(), longInput.frames());
}

} // namespace
