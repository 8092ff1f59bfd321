#include "WindowsTestSupport.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace wintest {

namespace {

namespace fs = std::filesystem;

// Only keeps a broken run from hanging; it is not a measurement.
constexpr DWORD kReportBoundMs = 120000;
constexpr std::size_t kProcessesAtOnce = 8;
constexpr int kStartAttempts = 3;

std::string lastError(const std::string& what) {
    return what + " failed (error " + std::to_string(GetLastError()) + ")";
}

// Record files of this test process, removed with it.
class Scratch {
public:
    Scratch()
        : folder_(fs::temp_directory_path() /
                  ("quendra-windows-test-" + std::to_string(GetCurrentProcessId()))) {
        fs::create_directories(folder_);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    std::string nextFile() { return (folder_ / ("record-" + std::to_string(++count_))).string(); }

private:
    fs::path folder_;
    unsigned count_ = 0;
};

Scratch& scratch() {
    static Scratch instance;
    return instance;
}

argrecord::Lists takeRecord(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("the recording encoder wrote no record at " + file);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    std::error_code ignored;
    fs::remove(file, ignored);
    return argrecord::decode(text);
}

void setVariable(const char* name, const std::string* value) {
    if (!SetEnvironmentVariableA(name, value ? value->c_str() : nullptr) && value)
        throw std::runtime_error(lastError("SetEnvironmentVariable"));
}

struct Started {
    HANDLE process;
    std::string file;
};

Started startRecorder(const std::string& line) {
    Started started{nullptr, scratch().nextFile()};
    setVariable("QUENDRA_RECORD_FILE", &started.file);
    setVariable("QUENDRA_RECORD_EVENT", nullptr);
    std::vector<char> commandLine(line.begin(), line.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // Under wine a start now and then fails with ERROR_INTERNAL_ERROR; that says nothing about
    // the line, so the start is tried again.
    BOOL created = FALSE;
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        created = CreateProcessA(recorderPath().c_str(), commandLine.data(), nullptr, nullptr,
                                 FALSE, 0, nullptr, nullptr, &startup, &info);
        if (created || GetLastError() != ERROR_INTERNAL_ERROR)
            break;
    }
    if (!created)
        throw std::runtime_error(lastError("CreateProcess on [" + line + "]"));
    CloseHandle(info.hThread);
    started.process = info.hProcess;
    return started;
}

argrecord::Lists finish(const Started& started) {
    // The recorder always ends; a hang is left to the test runner's timeout.
    WaitForSingleObject(started.process, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(started.process, &code);
    CloseHandle(started.process);
    if (code != 0)
        throw std::runtime_error("the recording encoder exited with " + std::to_string(code));
    return takeRecord(started.file);
}

} // namespace

std::string recorderPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            throw std::runtime_error(lastError("GetModuleFileName"));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of("\\/") + 1) + "lame.bin";
}

std::vector<argrecord::Lists> recordLines(const std::vector<std::string>& lines) {
    std::vector<argrecord::Lists> records;
    records.reserve(lines.size());
    for (std::size_t first = 0; first < lines.size(); first += kProcessesAtOnce) {
        std::vector<Started> batch;
        for (std::size_t i = first; i < lines.size() && i < first + kProcessesAtOnce; ++i)
            batch.push_back(startRecorder(lines[i]));
        for (const Started& started : batch)
            records.push_back(finish(started));
    }
    return records;
}

Launch launchAndRecord(const quendra::EncoderCommand& command) {
    static unsigned count = 0;
    const std::string eventName = "quendra-windows-test-" + std::to_string(GetCurrentProcessId()) +
                                  "-" + std::to_string(++count);
    const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    if (!event)
        throw std::runtime_error(lastError("CreateEvent"));
    const std::string file = scratch().nextFile();
    setVariable("QUENDRA_RECORD_FILE", &file);
    setVariable("QUENDRA_RECORD_EVENT", &eventName);

    Launch launch;
    launch.result = quendra::systemEncoderLauncher()->launch(command);
    DWORD waited = WAIT_OBJECT_0;
    if (launch.result.started)
        waited = WaitForSingleObject(event, kReportBoundMs);
    CloseHandle(event);
    setVariable("QUENDRA_RECORD_EVENT", nullptr);
    if (!launch.result.started)
        return launch;
    if (waited != WAIT_OBJECT_0)
        throw std::runtime_error("the encoder started by WinExec never reported its arguments");
    launch.record = takeRecord(file);
    return launch;
}

std::string shown(const std::string& line) {
    std::string out = "[";
    for (const char c : line)
        out += c == '\t' ? std::string("\\t") : std::string(1, c);
    return out + "]";
}

} // namespace wintest
