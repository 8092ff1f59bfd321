// "lame.bin": reads the front-end's command line, encodes the input through LAME's library into
// a temporary file beside the output, and puts it in the output's place only when it is
// complete (a device or a pipe as output is written straight). Its terminal or console shows the
// command line, the progress and a summary; a failed run keeps a window of its own open until
// Enter.
#include "Program.h"

#include "Console.h"
#include "EncodingFiles.h"
#include "EncodingLoop.h"
#include "FileSystem.h"
#include "LameEncoder.h"
#include "ReplacingFile.h"
#include "RequestParser.h"
#include "SoundFileInput.h"
#include "StopRequests.h"
#include "TerminalText.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace lamebin {

namespace {

constexpr int kFailed = 1;
constexpr int kRefused = 2; // the command line or the file names; nothing was read or written

int endWith(int code, const std::string& message, const char* outcome) {
    std::fprintf(stderr, "lame.bin: %s %s\n", visibleText(message).c_str(), outcome);
    if (ownsItsWindow())
        waitForEnter(code == kRefused ? "The encoding did not start." : "The encoding failed.");
    return code;
}

int refuse(const std::string& message) {
    return endWith(kRefused, message, "Nothing was encoded.");
}

int fail(const std::string& message, const char* outcome = "Nothing was written.") {
    return endWith(kFailed, message, outcome);
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The progress line, redrawn in place at most a few times a second, on a terminal only.
class ProgressDisplay {
public:
    explicit ProgressDisplay(const LameEncoder& encoder)
        : encoder_(encoder), shown_(outputIsTerminal()) {}

    void update(bool last = false) {
        if (!shown_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (!last && now - drawn_ < std::chrono::milliseconds(200))
            return;
        drawn_ = now;
        const int done = encoder_.framesDone();
        redrawLine(progressText(done, encoder_.framesTotal(), secondsSince(start_), last), last);
    }

private:
    const LameEncoder& encoder_;
    bool shown_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point drawn_{};
};

int encode(const EncodingRequest& request) {
    const std::string& inputName = request.files[0];
    const std::string& outputName = request.files[1];
    sayAtStop("\"" + visibleText(outputName) + "\" was not written.");
    SoundFileInput input;
    const std::string unreadable = input.open(inputName, [&] {
        std::printf("Finding the loudest sample of \"%s\" first, which its floating-point "
                    "samples are scaled by: the whole file is read once before the encoding.\n",
                    visibleText(inputName).c_str());
        std::fflush(stdout);
    });
    if (!unreadable.empty())
        return fail("cannot read the input \"" + inputName + "\": " + unreadable + ".");

    LameEncoder encoder;
    std::vector<std::string> notes;
    const std::string wrong = encoder.configure(request.settings, notes);
    if (!wrong.empty())
        return refuse(wrong);
    for (const std::string& note : notes)
        std::fprintf(stderr, "lame.bin: note: %s\n", visibleText(note).c_str());
    std::string refused =
        encoder.describeInput(input.channels(), input.sampleRate(), input.frames());
    if (refused.empty())
        refused = encoder.start();
    if (!refused.empty())
        return fail("cannot encode \"" + inputName + "\": " + refused);

    ReplacingFile output;
    const std::string unwritable = output.create(outputName);
    if (!unwritable.empty())
        return fail("cannot write the output \"" + outputName + "\": " + unwritable + ".");
    const char* failedOutcome = "Nothing was written.";
    if (output.writtenStraight()) {
        sayAtStop("\"" + visibleText(outputName) + "\" got only part of the encoding.");
        failedOutcome = "What was written is incomplete.";
    }
    if (!output.canWriteBack())
        std::fprintf(stderr,
                     "lame.bin: note: \"%s\" cannot be written back into as a file can: the "
                     "LAME tag at its start is left without the encoding's totals.\n",
                     visibleText(outputName).c_str());
    const auto start = std::chrono::steady_clock::now();
    ProgressDisplay progress(encoder);
    const EncodingOutcome outcome = encodeAll(encoder, input, output, [&] { progress.update(); });
    std::string error = outcome.error;
    if (outcome.complete)
        error = output.commit();
    if (!error.empty())
        return fail("the encoding of \"" + inputName + "\" failed: " + error + ".", failedOutcome);
    progress.update(true);

    EncodingSummary summary;
    summary.output = outputName;
    summary.inputFormat = input.formatName();
    summary.frames = encoder.framesDone();
    summary.audioSeconds =
        input.sampleRate() > 0 ? double(outcome.framesRead) / input.sampleRate() : 0;
    summary.bytes = output.size();
    summary.elapsedSeconds = secondsSince(start);
    summary.replayGain = encoder.replayGainFound();
    summary.replayGainDb = encoder.replayGainDb();
    std::printf("%s\n", summaryText(summary).c_str());
    return 0;
}

} // namespace

int runProgram(const std::vector<std::string>& arguments) {
    catchStopRequests();
    prepareConsole();
    if (const std::string line = receivedCommandLine(arguments); !line.empty()) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }

    const EncodingRequest request =
        parseRequest({arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end()});
    if (!request.refusal.empty())
        return refuse(request.refusal);
    const std::string refused = refusal(request.files, pathInfo);
    if (!refused.empty())
        return refuse(refused);
    return encode(request);
}

} // namespace lamebin
