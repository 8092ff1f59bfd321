// The POSIX launcher against real processes: a stand-in "lame.bin" records what it received,
// started directly or through the starter by stand-in terminals that treat their words as real
// terminals do.
#include "CommandBuilder.h"
#include "CommandLine.h"
#include "EventWiring.h"
#include "FormModel.h"
#include "LaunchPlan.h"
#include "PosixEncoderLauncher.h"
#include "StartRequest.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace quendra;
using namespace launchtest;

namespace {

using Strings = std::vector<std::string>;

// What one run of the stand-in left beside it.
struct Record {
    pid_t pid = 0;
    Strings argv;
    std::map<std::string, std::string> info;
};

Record readRecord(const fs::path& argvFile) {
    Record record;
    const std::string name = argvFile.filename().string();
    record.pid = static_cast<pid_t>(std::stol(name.substr(name.find('.') + 1)));
    const std::string arguments = readFile(argvFile);
    std::size_t start = 0;
    for (std::size_t end; (end = arguments.find('\0', start)) != std::string::npos; start = end + 1)
        record.argv.push_back(arguments.substr(start, end - start));
    std::istringstream info(
        readFile(argvFile.parent_path() / ("info." + std::to_string(record.pid))));
    for (std::string line; std::getline(info, line);)
        record.info[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    return record;
}

std::vector<fs::path> argvFiles(const fs::path& directory) {
    std::vector<fs::path> files;
    for (const fs::path& file : filesStartingWith(directory, "argv."))
        if (file.extension() != ".partial")
            files.push_back(file);
    return files;
}

std::string ownLink(int fd) {
    char buffer[4096];
    const ssize_t length =
        readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : "";
}

class LauncherProcess : public testing::Test {
public:
    enum class Entry { Nothing, StandIn, PlainFile, Directory, BrokenProgram };

protected:
    void SetUp() override {
        for (const fs::path* directory : {&programDir, &currentDir, &path1, &path2})
            fs::create_directory(*directory);
        cwd.emplace(currentDir);
        path.emplace("PATH", (path1.string() + ":" + path2.string()).c_str());
    }

    void place(const fs::path& directory, Entry entry) {
        const fs::path target = directory / "lame.bin";
        switch (entry) {
        case Entry::Nothing:
            break;
        case Entry::StandIn:
            fs::copy_file(RECORDER_PATH, target);
            setMode(target, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
            break;
        case Entry::PlainFile:
            fs::copy_file(RECORDER_PATH, target);
            setMode(target, fs::perms::owner_read | fs::perms::owner_write);
            break;
        case Entry::Directory:
            fs::create_directory(target);
            break;
        case Entry::BrokenProgram:
            writeFile(target, "not a program\n");
            setMode(target, fs::perms::owner_all);
            break;
        }
    }

    LaunchResult launch(const std::string& line) {
        PosixEncoderLauncher launcher(programDir.string(), Console::None);
        return launcher.launch(EncoderCommand{line});
    }

    // The records of the first "count" runs in the directory, once they are all there.
    std::vector<Record> waitForRecords(const fs::path& directory, std::size_t count = 1) {
        const bool arrived = waitUntil([&] { return argvFiles(directory).size() >= count; });
        EXPECT_TRUE(arrived) << "the stand-in in " << directory << " did not run";
        std::vector<Record> records;
        for (const fs::path& file : argvFiles(directory))
            records.push_back(readRecord(file));
        return records;
    }

    Strings expectedSearch() const {
        return {(programDir / "lame.bin").string(), (currentDir / "lame.bin").string(),
                (path1 / "lame.bin").string(), (path2 / "lame.bin").string()};
    }

    TempDir root;
    const fs::path programDir = root / "program";
    const fs::path currentDir = root / "current";
    const fs::path path1 = root / "path 1";
    const fs::path path2 = root / "path2";
    std::optional<CurrentDirectory> cwd;
    std::optional<EnvironmentVariable> path;
};

// --- where "lame.bin" is found ---------------------------------------------------------------

struct OrderCase {
    const char* name;
    LauncherProcess::Entry program, current, first, second;
    int winner; // 0 program directory, 1 current directory, 2 and 3 the PATH entries
};

void PrintTo(const OrderCase& c, std::ostream* out) {
    *out << c.name;
}

class LaunchSearchOrder : public LauncherProcess, public testing::WithParamInterface<OrderCase> {};

TEST_P(LaunchSearchOrder, RunsTheFirstExecutableInPlatformOrder) {
    const OrderCase& c = GetParam();
    const fs::path directories[] = {programDir, currentDir, path1, path2};
    place(programDir, c.program);
    place(currentDir, c.current);
    place(path1, c.first);
    place(path2, c.second);

    const LaunchResult result = launch("lame.bin -q 2 in.wav out.mp3");
    ASSERT_TRUE(result.started) << result.reason;

    ASSERT_TRUE(waitUntil([&] {
        for (const fs::path& directory : directories)
            if (!argvFiles(directory).empty())
                return true;
        return false;
    })) << "no stand-in ran";
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(argvFiles(directories[i]).size(), i == c.winner ? 1u : 0u) << directories[i];
}

using E = LauncherProcess::Entry;
INSTANTIATE_TEST_SUITE_P(
    Table, LaunchSearchOrder,
    testing::Values(OrderCase{"BesideTheProgramWinsOverCurrentDirectory", E::StandIn, E::StandIn,
                              E::StandIn, E::Nothing, 0},
                    OrderCase{"CurrentDirectoryBeforePath", E::Nothing, E::StandIn, E::StandIn,
                              E::StandIn, 1},
                    OrderCase{"PathLast", E::Nothing, E::Nothing, E::Nothing, E::StandIn, 3},
                    OrderCase{"NonExecutableFileAndDirectoryDoNotCount", E::PlainFile, E::Directory,
                              E::StandIn, E::Nothing, 2}),
    [](const testing::TestParamInfo<OrderCase>& info) { return info.param.name; });

TEST(RunningProgramDirectory, IsTheDirectoryOfThisTestProgram) {
    EXPECT_EQ(fs::canonical(runningProgramDirectory()), fs::canonical(TESTS_DIR));
}

TEST(ProbeFile, OnlyAnExecutableRegularFileCanRun) {
    TempDir dir;
    writeFile(dir / "exe", "#!/bin/sh\n");
    setMode(dir / "exe", fs::perms::owner_all);
    writeFile(dir / "plain", "x");
    setMode(dir / "plain", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(dir / "folder");
    fs::create_symlink(dir / "exe", dir / "link");
    fs::create_symlink(dir / "gone", dir / "dangling");

    EXPECT_EQ(probeFile((dir / "exe").string()), FileCheck::Executable);
    EXPECT_EQ(probeFile((dir / "link").string()), FileCheck::Executable);
    EXPECT_EQ(probeFile((dir / "plain").string()), FileCheck::NotExecutable);
    EXPECT_EQ(probeFile((dir / "folder").string()), FileCheck::NotExecutable);
    EXPECT_EQ(probeFile((dir / "missing").string()), FileCheck::Missing);
    EXPECT_EQ(probeFile((dir / "dangling").string()), FileCheck::Missing);
}

// --- a start that fails is reported ----------------------------------------------------------

TEST_F(LauncherProcess, MissingEncoderIsReportedWithThePlacesSearched) {
    const LaunchResult result = launch("lame.bin in.wav out.mp3");
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.reason.find("\"lame.bin\" was not found"), std::string::npos) << result.reason;
    EXPECT_EQ(result.searched, expectedSearch());
}

TEST_F(LauncherProcess, NonExecutableEncoderIsNamedInTheReason) {
    for (const Entry entry : {Entry::PlainFile, Entry::Directory}) {
        fs::remove_all(programDir / "lame.bin");
        place(programDir, entry);
        const LaunchResult result = launch("lame.bin in.wav out.mp3");
        EXPECT_FALSE(result.started);
        EXPECT_NE(result.reason.find((programDir / "lame.bin").string()), std::string::npos)
            << result.reason;
        EXPECT_NE(result.reason.find("not an executable file"), std::string::npos) << result.reason;
        EXPECT_EQ(result.searched, expectedSearch());
    }
}

TEST_F(LauncherProcess, FailedExecIsReportedNotStarted) {
    place(programDir, Entry::BrokenProgram);
    const LaunchResult result = launch("lame.bin in.wav out.mp3");
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.reason.find((programDir / "lame.bin").string()), std::string::npos)
        << result.reason;
    EXPECT_NE(result.reason.find("format"), std::string::npos) << result.reason;
    EXPECT_EQ(result.searched, Strings{(programDir / "lame.bin").string()});
    EXPECT_TRUE(hasNoChildren());
}

TEST_F(LauncherProcess, EmptyCommandLineIsRefused) {
    place(programDir, Entry::StandIn);
    const LaunchResult result = launch("   ");
    EXPECT_FALSE(result.started);
    EXPECT_FALSE(result.reason.empty());
}

// --- how the encoder is started ----------------------------------------------------------------

TEST_F(LauncherProcess, ReturnsWhileTheEncoderRunsDetachedAndLeavesNoChild) {
    place(programDir, Entry::StandIn);
    writeFile(programDir / "hold", "");
    // A descriptor the encoder must not inherit, and a standard input it must not share.
    const int open = ::open((root / "front-end file").c_str(), O_CREAT | O_RDWR, 0600);
    ASSERT_GE(open, 0);
    const int savedInput = dup(0);
    ASSERT_GE(savedInput, 0);
    ASSERT_EQ(dup2(open, 0), 0);

    const LaunchResult result = launch("lame.bin in.wav out.mp3");
    dup2(savedInput, 0);
    ::close(savedInput);
    ::close(open);
    ASSERT_TRUE(result.started) << result.reason;
    // The stand-in cannot end before "release" exists, so launch() did not wait for it.
    EXPECT_TRUE(hasNoChildren());

    const std::vector<Record> records = waitForRecords(programDir);
    ASSERT_EQ(records.size(), 1u);
    const Record& encoder = records.front();
    EXPECT_EQ(kill(encoder.pid, 0), 0) << "the held stand-in should still run";
    EXPECT_FALSE(fs::exists(programDir / ("done." + std::to_string(encoder.pid))));
    EXPECT_NE(encoder.info.at("ppid"), std::to_string(getpid()));
    EXPECT_NE(encoder.info.at("sid"), std::to_string(getsid(0)));
    EXPECT_NE(encoder.info.at("sid"), std::to_string(encoder.pid)) << "must not lead a session";
    EXPECT_EQ(encoder.info.at("stdin"), "/dev/null");
    EXPECT_EQ(encoder.info.at("stdout"), ownLink(1));
    EXPECT_EQ(encoder.info.at("fds"), "") << "descriptors inherited from the front-end";

    writeFile(programDir / "release", "");
    EXPECT_TRUE(waitUntil(
        [&] { return fs::exists(programDir / ("done." + std::to_string(encoder.pid))); }));
    EXPECT_TRUE(hasNoChildren());
}

TEST_F(LauncherProcess, TwoLaunchesStartTwoEncoders) {
    place(programDir, Entry::StandIn);
    writeFile(programDir / "hold", "");
    ASSERT_TRUE(launch("lame.bin \"first.wav\" \"first.mp3\"").started);
    ASSERT_TRUE(launch("lame.bin \"second.wav\" \"second.mp3\"").started);

    const std::vector<Record> records = waitForRecords(programDir, 2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_NE(records[0].pid, records[1].pid);
    EXPECT_EQ(kill(records[0].pid, 0), 0);
    EXPECT_EQ(kill(records[1].pid, 0), 0);
    Strings outputs{records[0].argv.back(), records[1].argv.back()};
    std::sort(outputs.begin(), outputs.end());
    EXPECT_EQ(outputs, (Strings{"first.mp3", "second.mp3"}));
    writeFile(programDir / "release", "");
    EXPECT_TRUE(waitUntil([&] { return filesStartingWith(programDir, "done.").size() == 2; }));
}

// --- what the encoder receives -----------------------------------------------------------------

struct ArgumentCase {
    const char* name;
    std::string input;
    std::string output;
    std::string title; // typed into the title field with tags on; empty: tags off
};

void PrintTo(const ArgumentCase& c, std::ostream* out) {
    *out << c.name;
}

class LaunchArguments : public LauncherProcess, public testing::WithParamInterface<ArgumentCase> {};

TEST_P(LaunchArguments, EachArgumentIsTheTypedValue) {
    const ArgumentCase& c = GetParam();
    place(programDir, Entry::StandIn);
    FormModel model;
    EventWiring wiring(model);
    wiring.textChanged("Edit01", c.input);
    wiring.textChanged("Edit02", c.output);
    if (!c.title.empty()) {
        wiring.checkedChanged("CheckBox01", true);
        wiring.textChanged("Edit03", c.title);
        wiring.textChanged("Edit04", c.title + " by");
    }
    const EncoderCommand command = CommandBuilder::build(model);
    ASSERT_TRUE(launch(command.line).started);

    const std::vector<Record> records = waitForRecords(programDir);
    ASSERT_EQ(records.size(), 1u);
    const Strings& argv = records.front().argv;
    EXPECT_EQ(argv, splitCommandLine(command.line)) << command.line;
    ASSERT_GE(argv.size(), 3u);
    EXPECT_EQ(argv.front(), "lame.bin");
    EXPECT_EQ(argv[argv.size() - 2], c.input);
    EXPECT_EQ(argv.back(), c.output);
    if (!c.title.empty()) {
        const auto title = std::find(argv.begin(), argv.end(), "--tt");
        ASSERT_NE(title, argv.end());
        ASSERT_LT(title + 3, argv.end());
        EXPECT_EQ(title[1], c.title);
        EXPECT_EQ(title[2], "--ta");
        EXPECT_EQ(title[3], c.title + " by");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LaunchArguments,
    testing::Values(
        ArgumentCase{"Blanks", "/music/my song/in put.wav", "/music/out  dir/out.mp3", ""},
        ArgumentCase{"Tab", "a\tb.wav", "c\t.mp3", ""},
        ArgumentCase{"Quotes", "say \"hi\".wav", "\"out\".mp3", "A \"quoted\" title"},
        ArgumentCase{"Backslashes", "C:\\dir\\in.wav", "a\\\"b\\\\\"c.mp3", "x\\y"},
        ArgumentCase{"TrailingBackslashes", "dir\\", "dir\\\\", "title\\"},
        ArgumentCase{"Utf8", "/Musik/Grüße 日本 ♫.wav", "/Musik/ñ €.mp3", "Ünïcödé ♫"},
        ArgumentCase{"EmptyPaths", "", "", ""}, ArgumentCase{"OptionLikeValues", "-k", "-b", "-k"},
        ArgumentCase{"ShellCharacters", "$(rm -rf x) `id` *.wav", "a;b|c&d>e.mp3", "'$HOME'"}),
    [](const testing::TestParamInfo<ArgumentCase>& info) { return info.param.name; });

// --- in a terminal window ------------------------------------------------------------------------

// Stand-ins for terminal emulators, each as some real one treats "-e" and the words after it. Each
// records its words in "<name>.args.<pid>" beside itself; those that wait, wait for a file "go".
const char* const kStandInStart = R"(#!/bin/sh
PATH=/usr/bin:/bin
here=${0%/*}
printf '%s\0' "$@" >"$here/${0##*/}.args.$$"
waitForGo() { i=0; while [ ! -e "$here/go" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i + 1)); done; }
while [ $# -gt 0 ] && [ "$1" != -e ]; do shift; done
[ $# -gt 0 ] && shift
)";

struct StandIn {
    const char* name;
    const char* behaviour;
};

const StandIn kRunsTheWords{"runs the words", "exec \"$@\"\n"};
const StandIn kRefusesTitle{"refuses -T", R"(for word in "$@"; do
    [ "$word" = -T ] && { echo "invalid option -- 'T'" >&2; exit 1; }
done
exec "$@"
)"};
const StandIn kThroughShell{"runs the words through sh -c", "exec sh -c \"$*\"\n"};
const StandIn kResplits{"joins and re-splits the words",
                        "set -f\nset -- $(printf '%s ' \"$@\" | tr -d '\\\\')\nexec \"$@\"\n"};
const StandIn kExitsAtOnce{"exits at once", "exit 0\n"};
const StandIn kFails{"fails", "exit 1\n"};
const StandIn kNeverRuns{"never runs the words", "waitForGo\n"};
// Past the short time below, while the next terminal is still being tried.
const StandIn kRunsLate{"runs the words late", "sleep 2\n\"$@\"\ntouch \"$here/late-done\"\n"};
const StandIn kRunsAfterTheLateOne{
    "runs the words after the late one",
    "i=0; while [ ! -e \"$here/late-done\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i + 1)); done\n"
    "exec \"$@\"\n"};

class TerminalLaunch : public LauncherProcess {
protected:
    void SetUp() override {
        LauncherProcess::SetUp();
        fs::create_directory(terminals);
        fs::create_directory(runtime);
        path.reset();
        path.emplace("PATH", (terminals.string() + ":" + path1.string()).c_str());
        place(programDir, Entry::StandIn);
        placeStarter(programDir);
    }

    void placeStarter(const fs::path& directory) {
        fs::copy_file(STARTER_PATH, directory / kStarterName, fs::copy_options::overwrite_existing);
    }

    void terminal(const char* name, const StandIn& standIn) {
        writeFile(terminals / name, std::string(kStandInStart) + standIn.behaviour);
        setMode(terminals / name, fs::perms::owner_all);
    }

    // One press through the real launcher, followed until it is decided.
    LaunchResult press(const std::string& line, TerminalTimes times = {}) {
        PosixEncoderLauncher launcher(programFolder.string(), Console::TerminalWhereDisplay, times);
        LaunchResult result = launcher.launch(EncoderCommand{line});
        EXPECT_TRUE(result.pending) << "a terminal start is confirmed later";
        return decided(launcher, result);
    }

    // The press's outcome, followed where it is pending until it is decided.
    static LaunchResult decided(PosixEncoderLauncher& launcher, const LaunchResult& result) {
        if (!result.pending)
            return result;
        std::vector<LaunchResult> outcomes;
        EXPECT_TRUE(waitUntil(
            [&] {
                outcomes = launcher.follow();
                return !outcomes.empty();
            },
            std::chrono::seconds(30)))
            << "the start was not decided";
        EXPECT_FALSE(launcher.pending());
        return outcomes.empty() ? result : outcomes.front();
    }

    // The words each run of the stand-in terminal was given.
    std::vector<Strings> wordsGiven(const char* name) const {
        std::vector<Strings> runs;
        for (const fs::path& file : filesStartingWith(terminals, std::string(name) + ".args.")) {
            runs.emplace_back();
            const std::string words = readFile(file);
            for (std::size_t start = 0, end; (end = words.find('\0', start)) != std::string::npos;
                 start = end + 1)
                runs.back().push_back(words.substr(start, end - start));
        }
        return runs;
    }

    // The presses' folders the launcher left in the private folder.
    std::vector<fs::path> pressFoldersLeft() const {
        return filesStartingWith(runtime / "quendra-orvo", "press.");
    }

    fs::path programFolder = programDir; // where the launcher looks first
    const fs::path terminals = root / "terminals";
    const fs::path runtime = root / "runtime";
    const EnvironmentVariable display{"DISPLAY", ":77"};
    const EnvironmentVariable noWayland{"WAYLAND_DISPLAY", nullptr};
    const EnvironmentVariable runtimeDir{"XDG_RUNTIME_DIR", (root / "runtime").c_str()};
};

// The window's words for file names and tags that a shell or a terminal would take apart.
std::string hardCommand(const fs::path& marker) {
    FormModel model;
    EventWiring wiring(model);
    const std::string run = "$(touch " + marker.string() + ")";
    wiring.textChanged("Edit01", "-in " + run + " `touch " + marker.string() + "` ; *.wav");
    wiring.textChanged("Edit02", "it's \"q\" back\\slash\nline \xC3\xBC \xE2\x99\xAB.mp3");
    wiring.checkedChanged("CheckBox01", true);
    wiring.textChanged("Edit03", run);
    return CommandBuilder::build(model).line;
}

struct TerminalCase {
    const char* name;
    StandIn standIn;
    const char* programFolder; // where the program, the encoder and the starter are
};

void PrintTo(const TerminalCase& c, std::ostream* out) {
    *out << c.name;
}

class TerminalWords : public TerminalLaunch, public testing::WithParamInterface<TerminalCase> {};

TEST_P(TerminalWords, TheEncoderGetsExactlyTheWindowsWordsAndTheTerminalNoneOfThem) {
    const TerminalCase& c = GetParam();
    const fs::path folder = root / c.programFolder;
    fs::create_directories(folder);
    place(folder, Entry::StandIn);
    placeStarter(folder);
    programFolder = folder;
    terminal("x-terminal-emulator", c.standIn);
    const fs::path marker = root / "ran";
    const std::string line = hardCommand(marker);

    const LaunchResult result = press(line);
    ASSERT_TRUE(result.started) << result.reason;
    const std::vector<Record> records = waitForRecords(folder);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records.front().argv, splitCommandLine(line));
    EXPECT_FALSE(fs::exists(marker)) << "a word of the window's was run as a command";

    const std::vector<Strings> given = wordsGiven("x-terminal-emulator");
    ASSERT_EQ(given.size(), 1u);
    ASSERT_EQ(given.front().size(), 3u);
    EXPECT_EQ(given.front()[0], "-e");
    for (std::size_t i = 1; i < 3; ++i)
        EXPECT_TRUE(plainPath(given.front()[i])) << given.front()[i];
    EXPECT_TRUE(pressFoldersLeft().empty()) << "the request's folder is left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Table, TerminalWords,
    testing::Values(TerminalCase{"RunsTheWords", kRunsTheWords, "plain"},
                    TerminalCase{"RefusesTitleOption", kRefusesTitle, "plain"},
                    TerminalCase{"ThroughAShell", kThroughShell, "my program $(touch x) 'q'"},
                    TerminalCase{"JoinsAndResplits", kResplits, "back\\slash \xC3\xBC"}),
    [](const testing::TestParamInfo<TerminalCase>& info) { return info.param.name; });

struct GiveWayCase {
    const char* name;
    StandIn first; // as x-terminal-emulator; xterm runs the words
    TerminalTimes times;
};

void PrintTo(const GiveWayCase& c, std::ostream* out) {
    *out << c.name;
}

class TerminalGivesWay : public TerminalLaunch, public testing::WithParamInterface<GiveWayCase> {};

TEST_P(TerminalGivesWay, ToXtermWhichRunsTheOneEncoder) {
    const GiveWayCase& c = GetParam();
    terminal("x-terminal-emulator", c.first);
    terminal("xterm", kRunsTheWords);
    const LaunchResult result = press("lame.bin -q 2 \"in put.wav\" \"out.mp3\"", c.times);
    ASSERT_TRUE(result.started) << result.reason;
    writeFile(terminals / "go", "");

    EXPECT_EQ(wordsGiven("x-terminal-emulator").size(), 1u);
    EXPECT_EQ(wordsGiven("xterm").size(), 1u);
    EXPECT_TRUE(waitUntil([&] { return !processMentions(terminals.string()); }))
        << "a stand-in terminal is still running";
    const std::vector<Record> records = waitForRecords(programDir);
    EXPECT_EQ(records.size(), 1u);
    EXPECT_EQ(records.front().argv, (Strings{"lame.bin", "-q", "2", "in put.wav", "out.mp3"}));
}

// A failing terminal gives way at once: it is not waited for until its time is up (a minute, past
// the 30 seconds a press is followed for).
constexpr TerminalTimes kLong{std::chrono::minutes(1)};
constexpr TerminalTimes kShort{std::chrono::milliseconds(800)};

INSTANTIATE_TEST_SUITE_P(Table, TerminalGivesWay,
                         testing::Values(GiveWayCase{"Fails", kFails, kLong},
                                         GiveWayCase{"ExitsAtOnce", kExitsAtOnce, kShort},
                                         GiveWayCase{"NeverRunsTheWords", kNeverRuns, kShort}),
                         [](const testing::TestParamInfo<GiveWayCase>& info) {
                             return info.param.name;
                         });

TEST_F(TerminalLaunch, ATerminalThatComesLateFindsItsRequestWithdrawn) {
    terminal("x-terminal-emulator", kRunsLate);
    terminal("xterm", kRunsAfterTheLateOne);
    // The late one comes half a second after giving way, while xterm is being waited for.
    const LaunchResult result =
        press("lame.bin in.wav out.mp3", TerminalTimes{std::chrono::milliseconds(1500)});
    ASSERT_TRUE(result.started) << result.reason;
    // Every stand-in and every starter it ran has ended.
    EXPECT_TRUE(waitUntil([&] {
        return !processMentions(terminals.string()) && !processMentions(runtime.string());
    }));
    EXPECT_TRUE(fs::exists(terminals / "late-done")) << "the late terminal did not come";
    EXPECT_EQ(waitForRecords(programDir).size(), 1u);
}

// Whether no other user can make or change what the path names: the person's, or not there, in a
// folder of the person's that no other user can write into, in a parent alike.
bool onlyThePersonCanMake(const fs::path& path) {
    struct stat info = {};
    if (lstat(path.c_str(), &info) == 0 && info.st_uid != geteuid())
        return false;
    fs::path folder = path.parent_path();
    while (lstat(folder.c_str(), &info) != 0) // the press's folder went with its decision
        folder = folder.parent_path();
    for (const fs::path& place : {folder, folder.parent_path()})
        if (lstat(place.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
            info.st_uid != geteuid() || (info.st_mode & S_IWOTH) != 0 ||
            ((info.st_mode & S_IWGRP) != 0 && info.st_gid != getegid()))
            return false;
    return true;
}

// --- other accounts of the machine ----------------------------------------------------------

// An account with no entry of its own, as setpriv runs it.
constexpr uid_t kOtherAccount = 4243;

// The test's folder as a home is on a shared machine, so that others reach what a test opens.
constexpr fs::perms kOpenToReach = fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec;

// Keeps the tests that add accounts and groups from running beside those that rely on the
// person's own group, in any process of the machine.
class AccountsLock {
public:
    AccountsLock() : fd_(open("/tmp/quendra-orvo-tests-accounts.lock", O_RDWR | O_CREAT, 0600)) {
        while (fd_ >= 0 && flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~AccountsLock() { close(fd_); }
    AccountsLock(const AccountsLock&) = delete;
    AccountsLock& operator=(const AccountsLock&) = delete;

private:
    int fd_;
};

// Another account whose primary group is the person's (`useradd -g`: no member listed), or
// another group entry of its number (`groupadd -o`), made for one test (root only) and removed
// with it.
class MadeEntry {
public:
    explicit MadeEntry(bool account)
        : account_(account), name_("qo-test-" + std::to_string(getpid())) {
        const std::string group = std::to_string(getegid());
        made_ = runProgram(account ? Strings{"/usr/sbin/useradd", "-M", "-N", "-s",
                                             "/usr/sbin/nologin", "-g", group, name_}
                                   : Strings{"/usr/sbin/groupadd", "-o", "-g", group, name_})
                    .exitCode == 0;
    }
    ~MadeEntry() {
        if (made_)
            runProgram(account_ ? Strings{"/usr/sbin/userdel", name_}
                                : Strings{"/usr/sbin/groupdel", "-f", name_});
    }
    MadeEntry(const MadeEntry&) = delete;
    MadeEntry& operator=(const MadeEntry&) = delete;
    bool made() const { return made_; }

private:
    bool account_;
    std::string name_;
    bool made_;
};

// Every permission on a folder for another account through its POSIX ACL, as
// `setfacl -m u:<account>:rwx` gives it: the folder then shows the mask as its group bits.
void grantThroughAcl(const fs::path& folder) {
    struct stat info = {};
    ASSERT_EQ(lstat(folder.c_str(), &info), 0);
    const std::uint32_t none = ~0U;
    const std::uint32_t entries[][3] = {{0x01, (info.st_mode >> 6) & 7U, none},
                                        {0x02, 7, kOtherAccount},
                                        {0x04, (info.st_mode >> 3) & 7U, none},
                                        {0x10, 7, none},
                                        {0x20, info.st_mode & 7U, none}};
    std::string acl("\2\0\0\0", 4); // the version, then each entry's tag, permission and id
    for (const auto& entry : entries)
        for (int field = 0; field < 3; ++field)
            for (int byte = 0; byte < (field == 2 ? 4 : 2); ++byte)
                acl += static_cast<char>(entry[field] >> (8 * byte));
    if (setxattr(folder.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0)
        GTEST_SKIP() << "no POSIX ACLs here: " << std::strerror(errno);
}

// As another account, with the person's group: the folder the terminal's link is in renamed
// aside and one of its own put there, with a program at the link's place that leaves a marker.
// True where it could.
bool plantedAsAnother(const fs::path& link, const fs::path& marker) {
    const fs::path folder = link.parent_path();
    const std::string script = "mv \"$1\" \"$1.aside\" && mkdir \"$1\" && "
                               "printf '#!/bin/sh\\ntouch \"%s\"\\n' \"$3\" >\"$2\" && "
                               "chmod 755 \"$1\" \"$2\"";
    return runProgram({"/usr/bin/setpriv", "--reuid=" + std::to_string(kOtherAccount),
                       "--regid=" + std::to_string(getegid()), "--clear-groups", "/bin/sh", "-c",
                       script, "sh", folder.string(), link.string(), marker.string()},
                      {"PATH=/usr/bin:/bin"})
               .exitCode == 0;
}

// Runs the words only once the test says so, its output and exit code kept beside it.
const StandIn kComesLate{"runs the words once told", "waitForGo\n\"$@\" >\"$here/late.out\" 2>&1\n"
                                                     "echo $? >\"$here/late.code\"\n"};

TEST_F(TerminalLaunch, ATerminalThatComesAfterThePressWasDecidedRunsNothingAndSaysSoInOneLine) {
    // No runtime folder, and the program where its starter is reached through a link; the test's
    // folder open for another account to reach.
    setMode(root.path(), kOpenToReach);
    const EnvironmentVariable noRuntime{"XDG_RUNTIME_DIR", nullptr};
    const EnvironmentVariable cache{"XDG_CACHE_HOME", runtime.c_str()};
    programFolder = root / "my program";
    fs::create_directory(programFolder);
    place(programFolder, Entry::StandIn);
    placeStarter(programFolder);
    terminal("x-terminal-emulator", kComesLate);
    terminal("xterm", kRunsTheWords);
    ASSERT_TRUE(press("lame.bin in.wav out.mp3", kShort).started);
    const std::vector<Strings> given = wordsGiven("x-terminal-emulator");
    ASSERT_EQ(given.size(), 1u);
    ASSERT_EQ(given.front().size(), 3u);
    const fs::path marker = root / "planted ran";
    EXPECT_FALSE(geteuid() == 0 && plantedAsAnother(given.front()[1], marker));
    writeFile(terminals / "go", "");

    ASSERT_TRUE(waitUntil([&] { return fs::exists(terminals / "late.code"); }));
    EXPECT_EQ(readFile(terminals / "late.code"), "0\n");
    EXPECT_EQ(readFile(terminals / "late.out"),
              "This start of the encoder was handled in another window.\n");
    EXPECT_FALSE(fs::exists(marker)) << "a program another account planted ran as the person";
    EXPECT_EQ(waitForRecords(programFolder).size(), 1u);
    for (std::size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(given.front()[i].rfind((runtime / "quendra-orvo/").string(), 0), 0u);
        EXPECT_TRUE(onlyThePersonCanMake(given.front()[i])) << given.front()[i];
    }
}

struct FolderCase {
    const char* name;
    std::optional<fs::perms> runtimeMode; // none: no runtime folder
    fs::perms cacheParentMode;            // of "shared", the cache folder's parent
    const char* expected;                 // where the terminal's words are; none: no terminal
    void (*arrange)(const fs::path& shared) = nullptr; // what else the machine holds
    // Made as root: another account with the person's group (true), or another group (false).
    std::optional<bool> madeAccount = std::nullopt;
};

void PrintTo(const FolderCase& c, std::ostream* out) {
    *out << c.name;
}

class TerminalFolder : public TerminalLaunch, public testing::WithParamInterface<FolderCase> {};

TEST_P(TerminalFolder, IsThePersonsOwnElseNoTerminalIsUsed) {
    const FolderCase& c = GetParam();
    if (c.madeAccount && geteuid() != 0)
        GTEST_SKIP() << "needs root, to add an account or a group";
    const AccountsLock lock;
    setMode(root.path(), kOpenToReach);
    std::optional<EnvironmentVariable> noRuntime;
    if (c.runtimeMode)
        setMode(runtime, *c.runtimeMode);
    else
        noRuntime.emplace("XDG_RUNTIME_DIR", nullptr);
    fs::create_directories(root / "shared" / "cache");
    setMode(root / "shared", c.cacheParentMode);
    const EnvironmentVariable cache{"XDG_CACHE_HOME", (root / "shared" / "cache").c_str()};
    std::optional<MadeEntry> made;
    if (c.madeAccount) {
        ASSERT_TRUE(made.emplace(*c.madeAccount).made());
    }
    if (c.arrange)
        c.arrange(root / "shared");
    if (IsSkipped() || HasFatalFailure())
        return;
    terminal("x-terminal-emulator", kRunsTheWords);

    PosixEncoderLauncher launcher(programDir.string());
    const LaunchResult result =
        decided(launcher, launcher.launch(EncoderCommand{"lame.bin in.wav out.mp3"}));
    EXPECT_TRUE(result.started) << result.reason;
    EXPECT_EQ(waitForRecords(programDir).size(), 1u);
    const std::vector<Strings> given = wordsGiven("x-terminal-emulator");
    if (!c.expected) {
        EXPECT_TRUE(given.empty()) << "a terminal was given words in a place of others";
        return;
    }
    ASSERT_EQ(given.size(), 1u);
    EXPECT_EQ(given.front().at(1).rfind((root / c.expected / "quendra-orvo/").string(), 0), 0u)
        << given.front().at(1);
}

// At the folder's place, a link to a folder of the person's elsewhere: what is there is not
// followed into, whatever it leads to.
void linkAtTheFolderPlace(const fs::path& shared) {
    fs::create_directory(shared.parent_path() / "private");
    setMode(shared.parent_path() / "private", fs::perms::owner_all);
    fs::create_directory_symlink(shared.parent_path() / "private",
                                 shared / "cache" / "quendra-orvo");
}

void cacheOpenToAll(const fs::path& shared) {
    setMode(shared / "cache", fs::perms::all);
}

constexpr fs::perms kOwn = fs::perms::owner_all;
constexpr fs::perms kOwnAndGroup = kOwn | fs::perms::group_all;
INSTANTIATE_TEST_SUITE_P(
    Table, TerminalFolder,
    testing::Values(FolderCase{"TheRuntimeFolder", kOwn, kOwn, "runtime"},
                    FolderCase{"ElseTheCacheFolder", fs::perms::all, kOwn, "shared/cache"},
                    // Under a umask of 0002, in a folder only the person's own group may write
                    FolderCase{"ElseTheCacheFolderOpenToThePersonsGroup", fs::perms::all,
                               kOwnAndGroup, "shared/cache"},
                    FolderCase{"ElseNone", std::nullopt, fs::perms::all, nullptr},
                    FolderCase{"NotWhereThePersonsGroupIsAnotherAccountsPrimaryGroup", std::nullopt,
                               kOwnAndGroup, nullptr, nullptr, true},
                    FolderCase{"NotWhereAnotherGroupHasThePersonsGroupsNumber", std::nullopt,
                               kOwnAndGroup, nullptr, nullptr, false},
                    FolderCase{"NotWhereAnAclLetsAnotherAccountWrite", std::nullopt, kOwn, nullptr,
                               grantThroughAcl},
                    FolderCase{"NotThroughALinkAtTheFolderPlace", std::nullopt, kOwn, nullptr,
                               linkAtTheFolderPlace},
                    // A home closed to others: what lies below it is the person's, however open
                    FolderCase{"BelowAFolderClosedToOthers", std::nullopt, kOwn, "shared/cache",
                               cacheOpenToAll}),
    [](const testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

// Reads what it is shown only after 12 seconds, as a terminal on a loaded machine may.
const StandIn kReadsLate{"reads its output after 12 s", "\"$@\" | { sleep 12; cat >/dev/null; }\n"};

TEST_F(TerminalLaunch, ATerminalThatReadsLateHoldsBackNeitherTheStartedReportNorTheOneEncoder) {
    terminal("x-terminal-emulator", kReadsLate);
    terminal("xterm", kRunsTheWords);
    // More than the pipe holds: the starter's line waits for the terminal.
    const LaunchResult result =
        press("lame.bin --tt \"" + std::string(70000, 't') + "\" in.wav out.mp3");
    EXPECT_TRUE(result.started) << result.reason;
    EXPECT_TRUE(waitUntil([&] { return !processMentions(terminals.string()); }));
    EXPECT_EQ(waitForRecords(programDir).size(), 1u);
    EXPECT_TRUE(wordsGiven("xterm").empty());
}

TEST_F(TerminalLaunch, ANulInATagEndsItAlikeThroughATerminalAndWithoutOne) {
    FormModel model;
    EventWiring wiring(model);
    wiring.textChanged("Edit01", "in.wav");
    wiring.textChanged("Edit02", "out.mp3");
    wiring.checkedChanged("CheckBox01", true);
    wiring.textChanged("Edit03", std::string("T\0--scale\0008", 11));
    const std::string line = CommandBuilder::build(model).line;
    ASSERT_TRUE(launch(line).started); // without a terminal, in programDir
    programFolder = root / "through a terminal";
    fs::create_directory(programFolder);
    place(programFolder, Entry::StandIn);
    placeStarter(programFolder);
    terminal("x-terminal-emulator", kRunsTheWords);
    ASSERT_TRUE(press(line).started);

    const std::vector<Record> without = waitForRecords(programDir);
    const std::vector<Record> through = waitForRecords(programFolder);
    ASSERT_EQ(without.size(), 1u);
    ASSERT_EQ(through.size(), 1u);
    EXPECT_EQ(through.front().argv, without.front().argv);
    const Strings& argv = without.front().argv;
    const auto title = std::find(argv.begin(), argv.end(), "--tt");
    ASSERT_LT(title + 1, argv.end());
    EXPECT_EQ(title[1], "T");
    EXPECT_EQ(std::count(argv.begin(), argv.end(), "--scale"), 1) << line;
}

TEST_F(TerminalLaunch, WhereNoTerminalWorksTheEncoderRunsWithoutOne) {
    terminal("x-terminal-emulator", kFails);
    terminal("xterm", kFails);
    const LaunchResult result = press("lame.bin in.wav out.mp3", kLong);
    ASSERT_TRUE(result.started) << result.reason;
    const std::vector<Record> records = waitForRecords(programDir);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records.front().info.at("stdout"), ownLink(1));
    EXPECT_EQ(wordsGiven("xterm").size(), 1u);
}

TEST_F(TerminalLaunch, AnEncoderTheStarterCannotExecuteFailsWithItsReasonAndNoOtherWayIsTried) {
    fs::remove(programDir / "lame.bin");
    place(programDir, Entry::BrokenProgram);
    terminal("x-terminal-emulator", kRunsTheWords);
    terminal("xterm", kRunsTheWords);
    const LaunchResult result = press("lame.bin in.wav out.mp3", kLong);
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.reason.find((programDir / "lame.bin").string()), std::string::npos)
        << result.reason;
    EXPECT_NE(result.reason.find("format"), std::string::npos) << result.reason;
    EXPECT_TRUE(wordsGiven("xterm").empty());
}

TEST_F(TerminalLaunch, WithoutTheStarterNoTerminalIsGivenTheWords) {
    fs::remove(programDir / kStarterName);
    terminal("x-terminal-emulator", kRunsTheWords);
    PosixEncoderLauncher launcher(programDir.string());
    const LaunchResult result = launcher.launch(EncoderCommand{"lame.bin in.wav out.mp3"});
    EXPECT_TRUE(result.started) << result.reason;
    EXPECT_EQ(waitForRecords(programDir).size(), 1u);
    EXPECT_TRUE(wordsGiven("x-terminal-emulator").empty());
}

TEST_F(TerminalLaunch, APressFolderOfAKilledWindowGoesAtTheNextPressAndALiveWindowsStays) {
    terminal("x-terminal-emulator", kNeverRuns);
    terminal("xterm", kNeverRuns);
    const EncoderCommand command{"lame.bin in.wav out.mp3"};
    int pending[2];
    ASSERT_EQ(pipe(pending), 0);
    const pid_t killed = fork(); // a window with a press pending, ended before it is decided
    if (killed == 0) {
        PosixEncoderLauncher launcher(programDir.string(), Console::TerminalWhereDisplay, kShort);
        const char isPending = launcher.launch(command).pending ? 1 : 0;
        if (write(pending[1], &isPending, 1) == 1)
            pause();
        _exit(1);
    }
    char isPending = 0;
    ASSERT_EQ(read(pending[0], &isPending, 1), 1);
    close(pending[0]);
    close(pending[1]);
    ASSERT_EQ(isPending, 1);
    const std::vector<fs::path> killedsFolder = pressFoldersLeft();
    PosixEncoderLauncher live(programDir.string(), Console::TerminalWhereDisplay, kShort);
    ASSERT_TRUE(live.launch(command).pending);
    const std::vector<fs::path> bothFolders = pressFoldersLeft();
    EXPECT_EQ(bothFolders.size(), 2u) << "a running window's press folder went";
    kill(killed, SIGKILL);
    waitpid(killed, nullptr, 0);

    PosixEncoderLauncher next(programDir.string(), Console::TerminalWhereDisplay, kShort);
    ASSERT_TRUE(next.launch(command).pending);
    ASSERT_EQ(killedsFolder.size(), 1u);
    EXPECT_FALSE(fs::exists(killedsFolder.front())) << "the killed window's press folder stays";
    EXPECT_EQ(pressFoldersLeft().size(), 2u);
    for (const fs::path& folder : bothFolders)
        EXPECT_EQ(fs::exists(folder), folder != killedsFolder.front()) << folder;
    writeFile(terminals / "go", ""); // the two live presses are decided without a terminal
}

TEST_F(TerminalLaunch, APressStillPendingWhenTheLauncherGoesIsCarriedThrough) {
    terminal("x-terminal-emulator", kExitsAtOnce);
    terminal("xterm", kRunsTheWords);
    {
        PosixEncoderLauncher launcher(programDir.string(), Console::TerminalWhereDisplay, kShort);
        ASSERT_TRUE(launcher.launch(EncoderCommand{"lame.bin in.wav out.mp3"}).pending);
    }
    EXPECT_EQ(waitForRecords(programDir).size(), 1u);
    EXPECT_TRUE(pressFoldersLeft().empty());
}

} // namespace
