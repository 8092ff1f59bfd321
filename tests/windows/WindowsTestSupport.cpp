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

std::string uniqueName(const std::string& kind) {
    static unsigned count = 0;
    return "quendra-windows-test-" + std::to_string(GetCurrentProcessId()) + "-" + kind + "-" +
           std::to_string(++count);
}

// Record files of this test process, removed with it.
class Scratch {
public:
    std::string nextFile() {
        return (fs::path(folder_.path()) / ("record-" + std::to_string(++count_))).string();
    }

private:
    Folder folder_;
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

Launch launchAndRecord(const quendra::EncoderCommand& command, const std::string& hold) {
    const std::string eventName = uniqueName("report");
    const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    if (!event)
        throw std::runtime_error(lastError("CreateEvent"));
    const std::string file = scratch().nextFile();
    setVariable("QUENDRA_RECORD_FILE", &file);
    setVariable("QUENDRA_RECORD_EVENT", &eventName);
    setVariable("QUENDRA_RECORD_HOLD", hold.empty() ? nullptr : &hold);

    Launch launch;
    launch.result = quendra::systemEncoderLauncher()->launch(command);
    DWORD waited = WAIT_OBJECT_0;
    if (launch.result.started)
        waited = WaitForSingleObject(event, kReportBoundMs);
    CloseHandle(event);
    setVariable("QUENDRA_RECORD_EVENT", nullptr);
    setVariable("QUENDRA_RECORD_HOLD", nullptr);
    if (!launch.result.started)
        return launch;
    if (waited != WAIT_OBJECT_0)
        throw std::runtime_error("the encoder the launcher started never reported its arguments");
    launch.record = takeRecord(file);
    return launch;
}

Hold::Hold()
    : name_(uniqueName("hold")), event_(CreateEventA(nullptr, TRUE, FALSE, name_.c_str())) {
    if (!event_)
        throw std::runtime_error(lastError("CreateEvent"));
}

Hold::~Hold() {
    SetEvent(event_);
    CloseHandle(event_);
}

Folder::Folder() : path_((fs::temp_directory_path() / uniqueName("folder")).string()) {
    fs::create_directories(path_);
}

Folder::~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string Folder::copyOfRecorder(const std::string& name) const {
    const fs::path copy = fs::path(path_) / name;
    fs::copy_file(recorderPath(), copy, fs::copy_options::overwrite_existing);
    return copy.string();
}

CurrentDirectory::CurrentDirectory(const std::string& path)
    : previous_(fs::current_path().string()) {
    fs::current_path(path);
}

CurrentDirectory::~CurrentDirectory() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

Variable::Variable(std::string name, const std::string& value)
    : name_(std::move(name)), previous_(variable(name_)),
      had_(GetEnvironmentVariableA(name_.c_str(), nullptr, 0) > 0) {
    setVariable(name_.c_str(), &value);
}

Variable::~Variable() {
    SetEnvironmentVariableA(name_.c_str(), had_ ? previous_.c_str() : nullptr);
}

std::string variable(const std::string& name) {
    const DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name.c_str(), value.data(), size));
    return value;
}

namespace {

// SystemExtendedHandleInformation's layout; winternl.h does not declare it.
struct HandleEntry {
    void* object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT backTrace;
    USHORT type;
    ULONG attributes;
    ULONG reserved;
};
struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};
constexpr ULONG kSystemExtendedHandleInformation = 64;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

} // namespace

std::size_t openHandles() {
    using Query = LONG(NTAPI*)(ULONG, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<ULONG_PTR> buffer(1 << 14); // aligned for the table's pointers
    for (;;) {
        ULONG needed = 0;
        const ULONG bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR));
        const LONG status = query(kSystemExtendedHandleInformation, buffer.data(), bytes, &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0)
            throw std::runtime_error("NtQuerySystemInformation failed with " +
                                     std::to_string(status));
        break;
    }
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    std::size_t count = 0;
    for (ULONG_PTR i = 0; i < table->count; ++i)
        count += table->entries[i].processId == GetCurrentProcessId();
    return count;
}

bool running(const std::string& processId) {
    const HANDLE process =
        OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::stoul(processId)));
    if (!process)
        return false;
    const bool alive = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return alive;
}

std::string shown(const std::string& line) {
    std::string out = "[";
    for (const char c : line)
        out += c == '\t' ? std::string("\\t") : std::string(1, c);
    return out + "]";
}

} // namespace wintest
