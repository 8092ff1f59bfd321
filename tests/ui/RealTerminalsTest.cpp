// "Start encoding" on the real window, on X11, with each real terminal emulator named in
// QUENDRA_TERMINALS (paths, as x-terminal-emulator's alternatives name them) as the person's
// x-terminal-emulator: every press runs exactly one encoder with exactly the window's words and
// makes the MP3, no file name or tag runs anything, the terminal window has the title, and a
// failure keeps it open until Enter. Run by real-terminals.sh under Xvfb, openbox and a D-Bus
// session; not part of ctest.
#include "CommandBuilder.h"
#include "CommandLine.h"
#include "LaunchNotice.h"
#include "PosixEncoderLauncher.h"
#include "StartRequest.h"
#include "TestSupport.h"
#include "Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace launchtest;

namespace {

using Strings = std::vector<std::string>;

class NoticeRecord : public quendra::ui::LaunchFailureNotice {
public:
    void show(QWidget*, const std::string& text) override { shown.push_back(text); }
    Strings shown;
};

Strings terminalsToTest() {
    Strings terminals;
    std::istringstream list(std::getenv("QUENDRA_TERMINALS") ? std::getenv("QUENDRA_TERMINALS")
                                                             : "");
    for (std::string terminal; list >> terminal;)
        terminals.push_back(terminal);
    return terminals;
}

// The name its processes have: Debian's wrappers start the terminal of that name.
std::string processName(const std::string& terminal) {
    std::string name = fs::path(terminal).filename().string();
    const std::size_t wrapper = name.find(".wrapper");
    return wrapper == std::string::npos ? name : name.substr(0, wrapper);
}

// Whether a process of that program runs: a terminal whose last window has closed ends.
bool programRuns(const std::string& name) {
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator("/proc", error)) {
        const fs::path exe = fs::read_symlink(process.path() / "exe", error);
        if (!error && exe.filename() == name)
            return true;
    }
    return false;
}

Strings nulSeparated(const std::string& text) {
    Strings words;
    for (std::size_t start = 0, end; (end = text.find('\0', start)) != std::string::npos;
         start = end + 1)
        words.push_back(text.substr(start, end - start));
    return words;
}

int run(const std::string& command) {
    return std::system(command.c_str());
}

// A file name or tag that runs "ran" wherever a shell reads it, in every way a shell would.
const std::string kRuns = "$(ran) `ran`; ran";

struct Press {
    std::string name;
    std::string folder; // inside the press's own folder
    std::string input;  // a WAV file is made there unless empty
    std::string output;
    std::string title; // typed into the tag's title with tags on; empty: tags off
};

class RealTerminal : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        for (const fs::path& folder : {program, records, bin})
            fs::create_directories(folder);
        // The window's encoder records its words and where it runs, then runs lame.bin.
        writeFile(
            program / "lame.bin",
            "#!/bin/sh\nrecords='" + records.string() +
                "'\nprintf '%s\\0' \"$@\" >\"$records/args.$$\"\n"
                "pid=$$; chain=\n"
                "while [ \"$pid\" -gt 1 ]; do\n"
                "    chain=\"$chain $(basename \"$(readlink /proc/$pid/exe)\")\"\n"
                "    pid=$(sed -n 's/^PPid:[[:space:]]*//p' /proc/$pid/status)\n"
                "done\n"
                "echo \"$chain \" >\"$records/chain.$$\"\n'" +
                (fs::path(TESTS_DIR) / "lame.bin").string() +
                "' \"$@\"\ncode=$?\n"
                "echo $code >\"$records/.end.$$\" && mv \"$records/.end.$$\" \"$records/end.$$\"\n"
                "exit $code\n");
        setMode(program / "lame.bin", fs::perms::owner_all);
        fs::copy_file(fs::path(TESTS_DIR) / quendra::kStarterName, program / quendra::kStarterName);
        writeFile(bin / "ran", "#!/bin/sh\ntouch '" + (work / "RAN").string() + "'\n");
        setMode(bin / "ran", fs::perms::owner_all);
        fs::create_symlink(GetParam(), bin / "x-terminal-emulator");
        path.emplace("PATH", (bin.string() + ":/usr/bin:/bin").c_str());

        launcher = std::make_unique<quendra::PosixEncoderLauncher>(program.string());
        form = std::make_unique<TForm1>(*launcher);
        form->setLaunchFailureNotice(notice);
        form->show();
        ASSERT_TRUE(
            QTest::qWaitForWindowExposed(form.get(), 30000)); // a bound, on a loaded machine
    }

    void TearDown() override {
        form.reset();
        launcher.reset();
    }

    template <class W = QWidget> W* widget(const char* name) const {
        return form->findChild<W*>(QString::fromUtf8(name));
    }

    // A file dragged from a file manager onto a field: a name of any character arrives whole.
    void drop(const char* field, const fs::path& file) {
        QLineEdit* target = widget<QLineEdit>(field);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
        const QPoint at(target->width() / 2, target->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
    }

    // Fills the window for the press and presses "Start encoding"; the words the encoder is to
    // receive after its name.
    Strings press(const Press& p) {
        const fs::path folder = work / GetParam().substr(GetParam().rfind('/') + 1) / p.folder;
        fs::create_directories(folder);
        if (!p.input.empty())
            writeWave(folder / p.input, sineWave(440, 0.5, 0.3));
        drop("Edit01", folder / (p.input.empty() ? "missing.wav" : p.input));
        drop("Edit02", folder / p.output);
        auto* tags = widget<QCheckBox>("CheckBox01");
        if (tags->isChecked() != !p.title.empty())
            QTest::mouseClick(tags, Qt::LeftButton, {}, QPoint(6, tags->height() / 2));
        if (!p.title.empty()) {
            auto* title = widget<QLineEdit>("Edit03");
            title->setFocus();
            title->selectAll();
            QTest::keyClicks(title, QString::fromStdString(p.title));
        }
        Strings words =
            quendra::splitCommandLine(quendra::CommandBuilder::build(form->model()).line);
        EXPECT_EQ(words[words.size() - 1], (folder / p.output).string()) << "the drop";
        words.erase(words.begin());
        QTest::mouseClick(widget("Button1"), Qt::LeftButton);
        return words;
    }

    // The encoder's run for the press, once ended: its words, its chain of processes and exit
    // code. The window keeps working meanwhile.
    struct EncoderRun {
        Strings words;
        std::string chain;
        int exitCode = -1;
    };
    std::optional<EncoderRun> ended(std::size_t count) {
        if (!QTest::qWaitFor([&] { return filesStartingWith(records, "end.").size() >= count; },
                             60000))
            return std::nullopt;
        for (const fs::path& end : filesStartingWith(records, "end.")) {
            if (std::find(seen.begin(), seen.end(), end) != seen.end())
                continue;
            seen.push_back(end);
            const std::string pid = end.extension().string();
            return EncoderRun{nulSeparated(readFile(records / ("args" + pid))),
                              readFile(records / ("chain" + pid)), std::stoi(readFile(end))};
        }
        return std::nullopt;
    }

    std::string terminalWindows(const std::string& title) const {
        const fs::path list = work / "windows";
        run("xdotool search --name '" + title + "' >'" + list.string() + "' 2>/dev/null");
        return fs::exists(list) ? readFile(list) : "";
    }

    std::pair<int, int> windowSize(const std::string& window) const {
        const fs::path shell = work / "geometry";
        run("xdotool getwindowgeometry --shell " + window + " >'" + shell.string() + "'");
        std::istringstream lines(fs::exists(shell) ? readFile(shell) : "");
        int width = 0, height = 0;
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind("WIDTH=", 0) == 0)
                width = std::stoi(line.substr(6));
            if (line.rfind("HEIGHT=", 0) == 0)
                height = std::stoi(line.substr(7));
        }
        return {width, height};
    }

    void screenshot(const std::string& name) const {
        const char* folder = std::getenv("QUENDRA_SCREENSHOTS");
        if (folder && *folder)
            QGuiApplication::primaryScreen()->grabWindow(0).save(
                QString::fromStdString((fs::path(folder) / (name + ".png")).string()));
    }

    TempDir work;
    const fs::path program = work / "program folder";
    const fs::path records = work / "records";
    const fs::path bin = work / "bin";
    std::optional<EnvironmentVariable> path;
    std::vector<fs::path> seen;
    NoticeRecord notice;
    std::unique_ptr<quendra::PosixEncoderLauncher> launcher;
    std::unique_ptr<TForm1> form;
};

TEST_P(RealTerminal, EveryPressRunsOneEncoderWithTheWindowsWordsAndTheFailureWaitsForEnter) {
    const std::string terminal = processName(GetParam());
    const Press presses[] = {
        {"quotes and commands", "it's \"q\" " + kRuns, "a " + kRuns + " * b.wav",
         "-out it's \"q\" " + kRuns + ".mp3", ""},
        {"backslash, newline, non-ASCII", "back\\slash \xC3\xBC \xE2\x99\xAB", "line\nbreak.wav",
         "-\xC3\xBCn\xC3\xAF\ncode \xE2\x99\xAB.mp3", ""},
        {"a tag", "tag", "in.wav", "out.mp3", "-k " + kRuns + " $(ran)"},
    };
    std::size_t count = 0;
    for (const Press& p : presses) {
        SCOPED_TRACE(p.name);
        const Strings words = press(p);
        const std::optional<EncoderRun> encoder = ended(++count);
        ASSERT_TRUE(encoder) << "no encoder ended";
        EXPECT_EQ(encoder->words, words);
        EXPECT_EQ(encoder->exitCode, 0);
        EXPECT_NE(encoder->chain.find(" " + terminal + " "), std::string::npos)
            << "not in " << terminal << ":" << encoder->chain;
        const std::string mp3 = readFile(fs::path(words.back()));
        EXPECT_GT(mp3FrameChain(mp3), 0) << "no MP3 at " << words.back();
        // The next press comes once the window has closed, as a person's would: a terminal of
        // one process for all its windows (tilix) that is still closing refuses a new one, and
        // the next way is taken instead.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !programRuns(terminal); }, 10000))
            << terminal << " still runs 10 seconds after its window's encoder ended";
    }

    // A failed encoding: the window stays, with its title, until Enter.
    press({"a failure", "failing", "", "fail.mp3", ""});
    const std::optional<EncoderRun> failed = ended(++count);
    ASSERT_TRUE(failed);
    EXPECT_NE(failed->exitCode, 0);
    const std::string title = "lame\\.bin - fail\\.mp3";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !terminalWindows(title).empty(); }, 10000))
        << "no window titled \"lame.bin - fail.mp3\"";
    QTest::qWait(500);
    screenshot(terminal + "-failure");
    EXPECT_FALSE(terminalWindows(title).empty()) << "the window closed without Enter";
    // Enter, as a person presses it, the pointer over the window (terminology takes keys only
    // so). terminology's first window shows a first-run dialog over the terminal, which a person
    // closes with its "Done" button, below the window's middle.
    bool closed = false;
    for (int tries = 0; tries < 2 && !closed; ++tries) {
        const std::string windows = terminalWindows(title);
        const std::string window = windows.substr(0, windows.find('\n'));
        const auto [width, height] = windowSize(window);
        run("xdotool windowactivate --sync " + window);
        if (tries > 0)
            run("xdotool mousemove --window " + window + " " + std::to_string(width / 2) + " " +
                std::to_string(height * 58 / 100) + " click 1");
        run("xdotool mousemove --window " + window + " " + std::to_string(width / 2) + " " +
            std::to_string(height / 2) + " sleep 0.3 key Return");
        closed = QTest::qWaitFor([&] { return terminalWindows(title).empty(); }, 3000);
    }
    EXPECT_TRUE(closed) << "Enter did not close the window";

    // Exactly one encoder each press, and nothing ran.
    QTest::qWait(1000);
    EXPECT_EQ(filesStartingWith(records, "args.").size(), count);
    EXPECT_FALSE(fs::exists(work / "RAN")) << "a file name or tag ran a command";
    EXPECT_TRUE(notice.shown.empty()) << notice.shown.front();
}

INSTANTIATE_TEST_SUITE_P(Installed, RealTerminal, testing::ValuesIn(terminalsToTest()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = processName(info.param);
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RealTerminal);

} // namespace
