#pragma once

#include "EncoderLauncher.h"
#include "FormModel.h"
#include "TestSupport.h"

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace launchtest {

// The launcher keeps no handle on the encoder: the process it starts is orphaned at once. While
// an AdoptedEncoders lives, this process is the reaper of every orphan below it, so each encoder
// becomes its child and its end and exit code can be waited for. Whatever is still running when
// it goes is killed with its process group.
class AdoptedEncoders {
public:
    struct End {
        pid_t pid = 0;
        std::string name;  // the program's name as the kernel knows it, e.g. "lame.bin"
        int exitCode = -1; // 128 + signal for a process ended by a signal
    };

    AdoptedEncoders();
    ~AdoptedEncoders();
    AdoptedEncoders(const AdoptedEncoders&) = delete;
    AdoptedEncoders& operator=(const AdoptedEncoders&) = delete;

    // Waits until "count" adopted processes have ended in all; false when the bound passed
    // first, after killing what still runs.
    bool waitForEnds(std::size_t count, std::chrono::seconds bound = std::chrono::seconds(180));
    const std::vector<End>& ends() const { return ends_; }
    // The adopted processes not reaped yet, running or ended. An encoder the launcher started is
    // among them as soon as launch() has returned.
    std::vector<pid_t> unreaped() const;

private:
    void reapEnded();
    void killRunning();

    std::vector<End> ends_;
};

// Points this process's standard output and error at a file for one scope: an encoder started
// with Console::None writes where its caller writes, so this is what a terminal would show.
class OutputToFile {
public:
    explicit OutputToFile(const fs::path& file);
    ~OutputToFile();
    OutputToFile(const OutputToFile&) = delete;
    OutputToFile& operator=(const OutputToFile&) = delete;

private:
    int savedOut_;
    int savedErr_;
};

// One press of "Start encoding" through the real launcher and the real "lame.bin", followed to
// the encoder's end.
struct EncoderRun {
    std::string line; // the command line built from the window's state
    quendra::LaunchResult launch;
    bool ended = false; // the encoder ended within the bound (or never started)
    int exitCode = -1;  // lame.bin's exit code
    std::string output; // what it wrote to its standard output and error
};

// "Start encoding" with the model's paths set to input and output (typed into the window),
// with "lame.bin" looked for in programDir first. The encoder's output goes to logFile.
EncoderRun runEncoding(quendra::FormModel& model, const std::string& input,
                       const std::string& output, const fs::path& programDir,
                       const fs::path& logFile, AdoptedEncoders& encoders);

// The directory of the built "lame.bin", the one the front-end ships beside itself.
fs::path lameBinDirectory();

// What "lame --decode" makes of an MP3: the samples, or nothing when it cannot decode it.
std::optional<Wave> decodeMp3(const fs::path& mp3, const fs::path& wav);

// The text frames of the ID3v2 tag (version 2.3 or 2.4) at the start of an MP3, in UTF-8, by
// frame id; a comment frame's text under "COMM". Empty when there is no tag; throws
// std::runtime_error on a tag it cannot read.
std::map<std::string, std::string> id3v2Texts(const std::string& bytes);

// Everything under a directory, by path relative to it: a file's content, or "<dir>" for a
// directory. Read through descriptors, so that trees deeper than PATH_MAX can be listed.
std::map<std::string, std::string> treeContents(const fs::path& directory);

} // namespace launchtest
