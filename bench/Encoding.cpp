// A real encoding started by "Start encoding" on the real window, the same command given to
// "lame.bin" directly, and the same settings given to Debian's "lame" program, which runs on the
// same library. This process adopts the detached encoder and waits for it, so the first time
// ends when "lame.bin" has exited. Given the Windows lame.bin and wine's loader, it also times
// the Windows build under wine on the same file and settings.
//
//   bench_encoding [--runs N] [--seconds S] [--windows LAME.BIN WINE]
#include "BenchSupport.h"
#include "CommandBuilder.h"
#include "CommandLine.h"
#include "CountingNotice.h"
#include "PosixEncoderLauncher.h"
#include "Unit1.h"

#include <lame.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using quendra::bench::CountingNotice;
using quendra::bench::median;
using quendra::bench::monotonicNs;

namespace {

void put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(char((value >> (8 * i)) & 0xff));
}

// Stereo 16-bit PCM at 44.1 kHz with something for the encoder to work on: two drifting tones,
// a beat and some noise, different on the two channels.
void writeWave(const fs::path& path, int seconds) {
    const std::uint32_t rate = 44100;
    const std::uint32_t frames = rate * std::uint32_t(seconds);
    const std::uint32_t dataBytes = frames * 4;
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4);
    put(out, 1, 2);
    put(out, 2, 2);
    put(out, rate, 4);
    put(out, rate * 4, 4);
    put(out, 4, 2);
    put(out, 16, 2);
    out.write("data", 4);
    put(out, dataBytes, 4);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const double pi = 3.14159265358979;
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double beat = std::exp(-8.0 * std::fmod(t, 0.5));
        const double tone = 0.3 * std::sin(2 * pi * (220 + 40 * std::sin(t / 3)) * t) +
                            0.2 * std::sin(2 * pi * 1375 * t) * beat;
        for (int channel = 0; channel < 2; ++channel) {
            const double v = tone * (channel ? 0.8 : 1.0) + 0.05 * noise(random);
            put(out, std::uint32_t(std::int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32000))), 2);
        }
    }
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Points this process's standard output and error at /dev/null for one scope, so that the
// encoder started by the window writes its progress where the direct run writes it.
class QuietOutput {
public:
    QuietOutput() : out_(dup(1)), err_(dup(2)) {
        std::fflush(nullptr);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        close(null);
    }
    ~QuietOutput() {
        dup2(out_, 1);
        dup2(err_, 2);
        close(out_);
        close(err_);
    }

private:
    int out_;
    int err_;
};

// The window's words as LAME's program 3.100 takes them: it knows "-b 0" but not "-b auto".
std::vector<std::string> forLameProgram(std::vector<std::string> arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "-b" && arguments[i + 1] == "auto")
            arguments[i + 1] = "0";
    return arguments;
}

// The Windows lame.bin and the wine loader after "--windows", or nothing.
std::vector<std::string> windowsBuild(int argc, char** argv) {
    for (int i = 1; i + 2 < argc; ++i)
        if (std::string(argv[i]) == "--windows")
            return {argv[i + 1], argv[i + 2]};
    return {};
}

std::vector<char*> argvOf(std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

bool succeeded(int status) {
    return status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = quendra::bench::intOption(argc, argv, "--runs", 5);
    const int seconds = quendra::bench::intOption(argc, argv, "--seconds", 60);
    QApplication application(argc, argv);
    quendra::bench::adoptDetachedProcesses();

    const fs::path directory =
        fs::temp_directory_path() / ("quendra-bench-encoding-" + std::to_string(getpid()));
    fs::create_directories(directory);
    const fs::path wave = directory / "input.wav";
    const fs::path viaWindow = directory / "window.mp3";
    const fs::path direct = directory / "direct.mp3";
    const fs::path lameBinDirect = directory / "lamebin.mp3";
    const fs::path windowsDirect = directory / "windows.mp3";
    writeWave(wave, seconds);

    quendra::PosixEncoderLauncher launcher(LAMEBIN_DIR, quendra::Console::None);
    CountingNotice notice;
    TForm1 form(launcher);
    form.setLaunchFailureNotice(notice);
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        return 1;
    auto* input = form.findChild<QLineEdit*>(QStringLiteral("Edit01"));
    auto* output = form.findChild<QLineEdit*>(QStringLiteral("Edit02"));
    QTest::keyClicks(input, QString::fromStdString(wave.string()));
    QTest::keyClicks(output, QString::fromStdString(viaWindow.string()));
    auto* start = form.findChild<QWidget*>(QStringLiteral("Button1"));

    // The same command, as "lame.bin" hands it to LAME, with the other output file.
    std::vector<std::string> arguments =
        quendra::splitCommandLine(quendra::CommandBuilder::build(form.model()).line);
    arguments.erase(arguments.begin());
    arguments.back() = direct.string();
    std::vector<std::string> lameArguments{"lame"};
    for (const std::string& a : forLameProgram(arguments))
        lameArguments.push_back(a);
    std::vector<char*> lameArgv;
    for (std::string& a : lameArguments)
        lameArgv.push_back(a.data());
    lameArgv.push_back(nullptr);
    std::vector<std::string> lameBinArguments{std::string(LAMEBIN_DIR) + "/lame.bin"};
    lameBinArguments.insert(lameBinArguments.end(), arguments.begin(), arguments.end());
    lameBinArguments.back() = lameBinDirect.string();
    std::vector<char*> lameBinArgv = argvOf(lameBinArguments);
    // wine, the Windows lame.bin, the same arguments with the files on wine's drive Z:.
    std::vector<std::string> windowsArguments = windowsBuild(argc, argv);
    const bool onWindows = !windowsArguments.empty();
    if (onWindows) {
        std::swap(windowsArguments[0], windowsArguments[1]);
        windowsArguments.insert(windowsArguments.end(), arguments.begin(), arguments.end() - 2);
        windowsArguments.push_back("Z:" + wave.string());
        windowsArguments.push_back("Z:" + windowsDirect.string());
    }
    std::vector<char*> windowsArgv = argvOf(windowsArguments);

    std::vector<double> windowSeconds;
    std::vector<double> directSeconds;
    std::vector<double> lameBinSeconds;
    std::vector<double> windowsSeconds;
    bool ok = true;
    auto runWindow = [&] {
        fs::remove(viaWindow);
        QCoreApplication::processEvents();
        const std::vector<pid_t> children = quendra::bench::childProcesses();
        const std::int64_t before = monotonicNs();
        {
            const QuietOutput quiet;
            QTest::mouseClick(start, Qt::LeftButton);
        }
        ok = succeeded(quendra::bench::waitForNewChild(children)) && ok;
        windowSeconds.push_back(double(monotonicNs() - before) / 1e9);
    };
    // Runs a program to its end with its output on /dev/null; returns its time.
    auto runProgram = [&](const fs::path& output, std::vector<char*>& argv) {
        fs::remove(output);
        const std::int64_t before = monotonicNs();
        const pid_t pid = fork();
        if (pid == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 0);
            dup2(null, 1);
            dup2(null, 2);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        int status = -1;
        while (pid > 0 && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        ok = succeeded(status) && ok;
        return double(monotonicNs() - before) / 1e9;
    };
    auto runLame = [&] { directSeconds.push_back(runProgram(direct, lameArgv)); };
    auto runLameBin = [&] { lameBinSeconds.push_back(runProgram(lameBinDirect, lameBinArgv)); };
    auto runWindows = [&] {
        if (onWindows)
            windowsSeconds.push_back(runProgram(windowsDirect, windowsArgv));
    };
    for (int i = 0; i < runs; ++i) {
        if (i % 2 == 0) {
            runWindow();
            runLame();
            runLameBin();
            runWindows();
        } else {
            runWindows();
            runLameBin();
            runLame();
            runWindow();
        }
    }
    const bool same = fs::exists(viaWindow) && fs::file_size(viaWindow) > 0 &&
                      contents(viaWindow) == contents(direct) &&
                      contents(lameBinDirect) == contents(direct) &&
                      (!onWindows || contents(windowsDirect) == contents(direct));
    std::printf("real encoding of a %d-second stereo WAV, median of %d runs each, alternating\n",
                seconds, runs);
    std::printf("  lame.bin and Debian's lame program on LAME's library %s\n", get_lame_version());
    std::printf("  settings: the window's initial state; lame");
    for (std::size_t i = 1; i < lameArguments.size(); ++i)
        std::printf(" %s", lameArguments[i].c_str());
    std::printf("\n");
    std::printf("  %-52s %8.3f s\n", "\"Start encoding\" to lame.bin's exit",
                median(windowSeconds));
    std::printf("  %-52s %8.3f s\n", "lame.bin run directly", median(lameBinSeconds));
    std::printf("  %-52s %8.3f s\n", "Debian's lame with the same settings", median(directSeconds));
    std::printf("  %-52s %8.3f    (target <= 1.02)\n", "ratio lame.bin / lame",
                median(lameBinSeconds) / median(directSeconds));
    std::printf("  %-52s %8.3f\n", "ratio \"Start encoding\" / lame",
                median(windowSeconds) / median(directSeconds));
    std::printf("  each run, \"Start encoding\" / lame.bin / lame:");
    for (std::size_t i = 0; i < windowSeconds.size(); ++i)
        std::printf(" %.3f/%.3f/%.3f", windowSeconds[i], lameBinSeconds[i], directSeconds[i]);
    std::printf(" s\n");
    if (onWindows) {
        std::printf("  %-52s %8.3f s\n", "the Windows lame.bin (32-bit) under wine",
                    median(windowsSeconds));
        std::printf("  %-52s %8.3f    (target <= 1.10)\n", "ratio Windows lame.bin / lame.bin",
                    median(windowsSeconds) / median(lameBinSeconds));
    }
    std::printf("  all exited with 0: %s; the MP3 files are identical: %s\n", ok ? "yes" : "NO",
                same ? "yes" : "NO");
    fs::remove_all(directory);
    return ok && same && notice.failures == 0 ? 0 : 1;
}
