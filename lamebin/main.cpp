// "lame.bin" for Linux: reads the front-end's command line, encodes the input through LAME's
// library into a temporary file beside the output, and puts it in the output's place only when
// it is complete. Its terminal shows the command line, the progress and a summary; a failed run
// keeps the terminal open until Enter.
#include "EncodingFiles.h"
#include "EncodingLoop.h"
#include "LameEncoder.h"
#include "ReplacingFile.h"
#include "RequestParser.h"
#include "SoundFileInput.h"
#include "TerminalText.h"

#include <cerrno>
#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFailed = 1;
constexpr int kRefused = 2; // the command line or the file names; nothing was read or written

volatile std::sig_atomic_t stopSignal = 0;

void requestStop(int signal) {
    stopSignal = signal;
}

// Ctrl+C, a closed terminal and a request to end stop the encoding at the next frame, so that
// the temporary file is removed; write errors are reported where they happen, not as signals.
void handleSignals() {
    struct sigaction stop {};
    stop.sa_handler = requestStop;
    sigemptyset(&stop.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaction(signal, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

quendra::PathInfo pathInfo(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {true, S_ISDIR(info.st_mode),
            quendra::FileIdentity{static_cast<unsigned long long>(info.st_dev),
                                  static_cast<unsigned long long>(info.st_ino)}};
}

// The terminal window closes as soon as this program ends; leave the error readable.
void waitForEnter(const char* what) {
    std::fprintf(stderr, "\n%s Press Enter to close this window.\n", what);
    char c = 0;
    for (;;) {
        const ssize_t got = read(0, &c, 1);
        if (got == 0 || (got < 0 && errno != EINTR) || (got == 1 && (c == '\n' || c == '\r')))
            return;
    }
}

int endWith(int code, const std::string& message, const char* outcome) {
    std::fprintf(stderr, "lame.bin: %s %s\n", message.c_str(), outcome);
    if (isatty(0))
        waitForEnter(code == kRefused ? "The encoding did not start." : "The encoding failed.");
    return code;
}

int refuse(const std::string& message) {
    return endWith(kRefused, message, "Nothing was encoded.");
}

int fail(const std::string& message) {
    return endWith(kFailed, message, "Nothing was written.");
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The progress line, redrawn in place at most a few times a second, on a terminal only.
class ProgressDisplay {
public:
    explicit ProgressDisplay(const quendra::LameEncoder& encoder)
        : encoder_(encoder), shown_(isatty(1)) {}

    void update(bool last = false) {
        if (!shown_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (!last && now - drawn_ < std::chrono::milliseconds(200))
            return;
        drawn_ = now;
        const int done = encoder_.framesDone();
        const std::string line =
            quendra::progressText(done, encoder_.framesTotal(), secondsSince(start_), last);
        std::printf("\r%s\033[K%s", line.c_str(), last ? "\n" : "");
        std::fflush(stdout);
    }

private:
    const quendra::LameEncoder& encoder_;
    bool shown_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point drawn_{};
};

int encode(const quendra::EncodingRequest& request) {
    const std::string& inputName = request.files[0];
    const std::string& outputName = request.files[1];
    quendra::SoundFileInput input;
    const std::string unreadable = input.open(inputName);
    if (!unreadable.empty())
        return fail("cannot read the input \"" + inputName + "\": " + unreadable + ".");

    quendra::LameEncoder encoder;
    std::vector<std::string> notes;
    const std::string wrong = encoder.configure(request.settings, notes);
    if (!wrong.empty())
        return refuse(wrong);
    for (const std::string& note : notes)
        std::fprintf(stderr, "lame.bin: note: %s\n", note.c_str());
    std::string refused = encoder.describeInput(input.channels(), input.sampleRate(), input.frames());
    if (refused.empty())
        refused = encoder.start();
    if (!refused.empty())
        return fail("cannot encode \"" + inputName + "\": " + refused);

    quendra::ReplacingFile output;
    const std::string unwritable = output.create(outputName);
    if (!unwritable.empty())
        return fail("cannot write the output \"" + outputName + "\": " + unwritable + ".");
    const auto start = std::chrono::steady_clock::now();
    ProgressDisplay progress(encoder);
    const quendra::EncodingOutcome outcome = quendra::encodeAll(encoder, input, output, [&] {
        progress.update();
        return stopSignal == 0;
    });
    if (outcome.end == quendra::EncodingOutcome::End::Stopped) {
        output.discard();
        std::printf("\n");
        std::fprintf(stderr, "lame.bin: stopped by signal %d; \"%s\" was not written.\n",
                     static_cast<int>(stopSignal), outputName.c_str());
        return 128 + stopSignal;
    }
    std::string error = outcome.error;
    if (outcome.end == quendra::EncodingOutcome::End::Complete)
        error = output.commit();
    if (!error.empty())
        return fail("the encoding of \"" + inputName + "\" failed: " + error + ".");
    progress.update(true);

    quendra::EncodingSummary summary;
    summary.output = outputName;
    summary.inputFormat = input.formatName();
    summary.frames = encoder.framesDone();
    summary.audioSeconds = input.sampleRate() > 0 ? double(outcome.framesRead) / input.sampleRate() : 0;
    summary.bytes = output.size();
    summary.elapsedSeconds = secondsSince(start);
    summary.replayGain = encoder.replayGainFound();
    summary.replayGainDb = encoder.replayGainDb();
    std::printf("%s\n", quendra::summaryText(summary).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    handleSignals();
    // The front-end's text is UTF-8 whatever the session's locale; tag text is converted in it.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    std::printf("%s\n", quendra::shellCommandLine({argv, argv + argc}).c_str());
    std::fflush(stdout);

    const quendra::EncodingRequest request = quendra::parseRequest({argv + 1, argv + argc});
    if (!request.refusal.empty())
        return refuse(request.refusal);
    const std::string refused = quendra::refusal(request.files, pathInfo);
    if (!refused.empty())
        return refuse(refused);
    return encode(request);
}
