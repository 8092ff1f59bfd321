#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace launchtest {

namespace fs = std::filesystem;

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

// Changes the current directory for one scope.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const fs::path& directory);
    ~CurrentDirectory();

private:
    fs::path previous_;
};

// Sets an environment variable for one scope (an empty optional unsets it).
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const char* value);
    ~EnvironmentVariable();

private:
    std::string name_;
    bool had_;
    std::string previous_;
};

// Polls until the condition holds or the bound passes; the bound only keeps a broken run from
// hanging, it is not a measurement.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::seconds bound = std::chrono::seconds(60));

void writeFile(const fs::path& path, const std::string& content);
std::string readFile(const fs::path& path);
void setMode(const fs::path& path, fs::perms permissions);

// Files in a directory whose names start with the prefix.
std::vector<fs::path> filesStartingWith(const fs::path& directory, const std::string& prefix);

// The names of the files and folders in a directory, sorted.
std::vector<std::string> namesIn(const fs::path& directory);

// Whether any running process has the text in its command line.
bool processMentions(const std::string& text);

// True when the calling process has no child at all, running or zombie.
bool hasNoChildren();

struct ProgramRun {
    int exitCode = -1;       // 128 + signal for a program ended by a signal
    bool endedInTime = true; // false: it was still running at the bound and has been killed
    std::string output;      // standard output and error together
};

// Runs a program to its end with standard input from /dev/null; a program named without a slash
// is looked up on PATH. "environment" entries "NAME=value" replace or add to the current ones.
// A program still running at the bound is killed with every process it started.
ProgramRun runProgram(const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment = {},
                      std::chrono::seconds bound = std::chrono::seconds(60));

// 16-bit PCM WAV files.
struct Wave {
    int channels = 2;
    int sampleRate = 44100;
    std::vector<std::int16_t> samples; // interleaved
    std::size_t frames() const { return samples.size() / static_cast<std::size_t>(channels); }
};

Wave sineWave(double frequency, double seconds, double amplitude, int sampleRate = 44100);
// Something for an encoder to work on: a drifting tone, a beating tone, clicks and noise, different
// on the two channels; the same for the same seed.
Wave musicLikeWave(double seconds, int channels, int sampleRate, unsigned seed);
void writeWave(const fs::path& path, const Wave& wave);
void writeAiff(const fs::path& path, const Wave& wave); // 16-bit AIFF
Wave readWave(const fs::path& path); // throws std::runtime_error when it is not a PCM WAV
double rms(const std::vector<std::int16_t>& samples);

// The number of MPEG audio Layer III frames that follow each other from the first frame header
// to the end of the file (an ID3v2 tag before and an ID3v1 tag after are allowed); 0 when the
// chain breaks before the end.
int mp3FrameChain(const std::string& bytes);

} // namespace launchtest
