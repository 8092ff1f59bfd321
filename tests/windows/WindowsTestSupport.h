#pragma once

#include "ArgumentRecord.h"
#include "EncoderLauncher.h"

#include <string>
#include <vector>

namespace wintest {

using Args = std::vector<std::string>;

// The recording encoder, "lame.bin" beside the running test program.
std::string recorderPath();

// Starts the recording encoder on exactly each of these command lines (CreateProcess, no
// search, no shell) and returns what it recorded for each, in order.
std::vector<argrecord::Lists> recordLines(const std::vector<std::string>& lines);

// What the product's launcher did with one command, and what the encoder it started received.
struct Launch {
    quendra::LaunchResult result;
    argrecord::Lists record; // empty when nothing started
};

// Starts the command through quendra::systemEncoderLauncher() and waits for the recording
// encoder's report. With a hold event's name the encoder keeps running after its report until
// that event is set.
Launch launchAndRecord(const quendra::EncoderCommand& command, const std::string& hold = {});

// A named manual-reset event that encoders started with its name wait for; set when this ends.
class Hold {
public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
    const std::string& name() const { return name_; }

private:
    std::string name_;
    void* event_;
};

// A new empty folder, removed with what it holds when this ends.
class Folder {
public:
    Folder();
    ~Folder();
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    const std::string& path() const { return path_; }
    // A copy of the recording encoder in this folder under the given name; its full path.
    std::string copyOfRecorder(const std::string& name) const;

private:
    std::string path_;
};

// Sets the current directory, or an environment variable, and puts the old value back.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string previous_;
};

class Variable {
public:
    Variable(std::string name, const std::string& value);
    ~Variable();
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;

private:
    std::string name_;
    std::string previous_;
    bool had_;
};

// The current value of an environment variable, "" when unset.
std::string variable(const std::string& name);

// How many handles this process holds, from the system's handle table (GetProcessHandleCount
// always says 0 under wine).
std::size_t openHandles();

// Whether the process with this id is still running.
bool running(const std::string& processId);

// A line with tabs and other blanks made visible, for failure messages.
std::string shown(const std::string& line);

} // namespace wintest
