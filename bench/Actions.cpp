// User actions on the real window, "Start encoding" up to a started encoder, and command builds,
// all in one process on the real TForm1.
//
//   bench_actions [--repeats N]
#include "BenchSupport.h"
#include "CommandBuilder.h"
#include "CountingNotice.h"
#include "EventWiring.h"
#include "PosixEncoderLauncher.h"
#include "Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace fs = std::filesystem;
using quendra::bench::CountingNotice;
using quendra::bench::median;
using quendra::bench::monotonicNs;

namespace {

// Lets one window use a different launcher for each part of the run.
class SwitchingLauncher : public quendra::EncoderLauncher {
public:
    quendra::LaunchResult launch(const quendra::EncoderCommand& command) override {
        quendra::LaunchResult result =
            target ? target->launch(command) : quendra::LaunchResult{true, {}, {}};
        started += result.started ? 1 : 0;
        return result;
    }
    quendra::EncoderLauncher* target = nullptr;
    int started = 0;
};

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

struct Timing {
    double handlingUs;
    double withRepaintUs;
    double paintsPerAction;
};

// Delivers the repaint that the action asked for, as the event loop would next.
void repaintNow() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QCoreApplication::processEvents();
}

Timing measure(int repeats, const std::function<void(int)>& prepare,
               const std::function<void(int)>& act, PaintCounter& counter) {
    std::vector<double> handling;
    std::vector<double> withRepaint;
    const int paintsBefore = counter.paints;
    for (int i = 0; i < repeats; ++i) {
        prepare(i);
        repaintNow();
        const std::int64_t start = monotonicNs();
        act(i);
        const std::int64_t handled = monotonicNs();
        repaintNow();
        const std::int64_t painted = monotonicNs();
        handling.push_back(double(handled - start) / 1e3);
        withRepaint.push_back(double(painted - start) / 1e3);
    }
    return {median(handling), median(withRepaint), double(counter.paints - paintsBefore) / repeats};
}

void clickMark(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
}

} // namespace

int main(int argc, char** argv) {
    const int repeats = quendra::bench::intOption(argc, argv, "--repeats", 501);
    QApplication application(argc, argv);

    SwitchingLauncher launcher;
    CountingNotice notice;
    TForm1 form(launcher);
    form.setLaunchFailureNotice(notice);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form)) {
        std::fprintf(stderr, "the window did not become active\n");
        return 1;
    }
    PaintCounter counter;
    application.installEventFilter(&counter);
    auto widget = [&](const char* name) {
        return form.findChild<QWidget*>(QString::fromUtf8(name));
    };

    std::printf("user actions on the window (%s), median of %d each\n",
                quendra::bench::platformName().c_str(), repeats);
    std::printf("  %-52s %9s %14s %8s\n", "", "handling", "with repaint", "paints");
    const auto row = [](const char* what, const Timing& t) {
        std::printf("  %-52s %6.1f us %11.1f us %8.1f   (target < 1000 us)\n", what, t.handlingUs,
                    t.withRepaintUs, t.paintsPerAction);
    };
    const auto nothing = [](int) {};
    const auto clicking = [&](const char* name) {
        return [&, name](int) { clickMark(widget(name)); };
    };

    row("click CheckBox09 (automatic filters, 21 controls)",
        measure(repeats, nothing, clicking("CheckBox09"), counter));
    row("click CheckBox01 (ID3 tags, 7 fields)",
        measure(repeats, nothing, clicking("CheckBox01"), counter));
    row("click CheckBox05 (ATH, 6 controls)",
        measure(repeats, nothing, clicking("CheckBox05"), counter));
    row("mode change: click RadioGroup1 VBR / CBR",
        measure(
            repeats, nothing,
            [&](int i) { clickMark(widget(i % 2 ? "RadioGroup1_0" : "RadioGroup1_1")); }, counter));

    auto* frequency = static_cast<QComboBox*>(widget("ComboBox1"));
    row("key into ComboBox1: \"4\" / \"2\" (completes, rule)",
        measure(
            repeats,
            [&](int) {
                frequency->setFocus();
                frequency->lineEdit()->selectAll();
            },
            [&](int i) { QTest::keyClick(frequency, i % 2 ? '2' : '4'); }, counter));
    row("Backspace in ComboBox1 (drops the completion)",
        measure(
            repeats,
            [&](int) {
                frequency->setFocus();
                frequency->lineEdit()->selectAll();
                QTest::keyClick(frequency, '4');
            },
            [&](int) { QTest::keyClick(frequency, Qt::Key_Backspace); }, counter));
    auto* quality = widget("TrackBar2");
    row("slider key on TrackBar2: Right / Left",
        measure(
            repeats, [&](int) { quality->setFocus(); },
            [&](int i) { QTest::keyClick(quality, i % 2 ? Qt::Key_Left : Qt::Key_Right); },
            counter));
    auto* input = widget("Edit01");
    row("key into Edit01: a letter / Backspace", measure(
                                                     repeats, [&](int) { input->setFocus(); },
                                                     [&](int i) {
                                                         if (i % 2)
                                                             QTest::keyClick(input,
                                                                             Qt::Key_Backspace);
                                                         else
                                                             QTest::keyClick(input, 'a');
                                                     },
                                                     counter));

    // "Start encoding" with a stand-in encoder that ends at once. This process adopts the
    // detached encoders, so that each can be reaped once it has ended.
    quendra::bench::adoptDetachedProcesses();
    const fs::path directory =
        fs::temp_directory_path() / ("quendra-bench-" + std::to_string(getpid()));
    fs::create_directories(directory);
    fs::copy_file(INSTANT_ENCODER, directory / "lame.bin", fs::copy_options::overwrite_existing);
    quendra::PosixEncoderLauncher posix(directory.string(), quendra::Console::None);
    launcher.target = &posix;
    launcher.started = 0;
    const int starts = std::max(21, repeats / 5);
    auto* start = widget("Button1");
    std::vector<double> startUs;
    int reaped = 0;
    for (int i = 0; i < starts; ++i) {
        repaintNow();
        const std::vector<pid_t> children = quendra::bench::childProcesses();
        const std::int64_t before = monotonicNs();
        QTest::mouseClick(start, Qt::LeftButton);
        startUs.push_back(double(monotonicNs() - before) / 1e3);
        const int status = quendra::bench::waitForNewChild(children);
        reaped += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 1 : 0;
    }
    fs::remove_all(directory);
    std::printf("\n\"Start encoding\" to the encoder's process started (stand-in that exits at "
                "once), median of %d: %.0f us (%d of %d started, %d ended normally)\n",
                starts, median(startUs), launcher.started, starts, reaped);

    // Command builds on a model with tags, manual filters and typed paths.
    quendra::FormModel model;
    quendra::EventWiring wiring(model);
    wiring.textChanged("Edit01", "/home/user/Music/Some Artist - A Title (live).wav");
    wiring.textChanged("Edit02", "/home/user/Music/Some Artist - A Title (live).mp3");
    wiring.checkedChanged("CheckBox01", true);
    wiring.textChanged("Edit03", "A \"quoted\" title\\");
    wiring.checkedChanged("CheckBox09", false);
    wiring.checkedChanged("CheckBox12", true);
    wiring.textChanged("Edit13", "16");
    wiring.itemIndexChanged("RadioGroup1", 1);
    const int batch = 20000;
    std::vector<double> perSecond;
    std::size_t sink = 0;
    for (int round = 0; round < 9; ++round) {
        const std::int64_t before = monotonicNs();
        for (int i = 0; i < batch; ++i)
            sink += quendra::CommandBuilder::build(model).line.size();
        perSecond.push_back(batch / (double(monotonicNs() - before) / 1e9));
    }
    std::printf("command builds per second, median of 9 rounds of %d: %.0f (%zu bytes built)\n",
                batch, median(perSecond), sink);
    std::printf("  the line: %s\n", quendra::CommandBuilder::build(model).line.c_str());
    return notice.failures == 0 && launcher.started == starts && reaped == starts ? 0 : 1;
}
