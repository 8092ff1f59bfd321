// The Windows start of the encoder: CreateProcessW with the whole command line in UTF-16, so that
// file names and tags outside the ANSI code page reach the encoder unchanged (it reads its
// arguments as UTF-16). Windows itself finds the bare "lame.bin": the program's directory
// first, then the current directory, the system directories and PATH.
#ifdef _WIN32

#include "CommandLine.h"
#include "EncoderLauncher.h"
#include "Utf16.h"

#include <windows.h>

namespace quendra {

namespace {

// CreateProcessW's limit for lpCommandLine, its terminating NUL included.
constexpr std::size_t kMaxCommandLine = 32767;

// Calls a Windows function of the kind "fill this buffer, or return the size it needs".
template <typename Fill> std::wstring fetched(Fill fill) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length > buffer.size() ? length : buffer.size() * 2);
    }
}

std::wstring programDirectory() {
    const std::wstring path =
        fetched([](wchar_t* b, DWORD n) { return GetModuleFileNameW(nullptr, b, n); });
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// The entries of PATH, a quoted one without its quotes; empty ones are kept.
std::vector<std::wstring> pathDirectories() {
    const std::wstring path =
        fetched([](wchar_t* b, DWORD n) { return GetEnvironmentVariableW(L"PATH", b, n); });
    std::vector<std::wstring> entries;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(L';', start);
        if (end == std::wstring::npos)
            end = path.size();
        std::wstring entry = path.substr(start, end - start);
        if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"')
            entry = entry.substr(1, entry.size() - 2);
        entries.push_back(std::move(entry));
        start = end + 1;
    }
    return entries;
}

// The directories CreateProcessW searches for a bare name, in its order.
std::vector<std::wstring> searchDirectories(const std::wstring& name) {
    std::vector<std::wstring> directories{programDirectory()};
    if (NeedCurrentDirectoryForExePathW(name.c_str()))
        directories.push_back(
            fetched([](wchar_t* b, DWORD n) { return GetCurrentDirectoryW(n, b); }));
    directories.push_back(fetched(GetSystemDirectoryW));
    const std::wstring windows = fetched(GetWindowsDirectoryW);
    directories.push_back(windows + L"\\System"); // the 16-bit system directory
    directories.push_back(windows);
    for (std::wstring& entry : pathDirectories())
        directories.push_back(std::move(entry));
    return directories;
}

bool sameDirectory(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// Every file Windows looked at, "directory\name", each directory once; a name with a path
// is looked for only where it says.
std::vector<std::string> searchedPlaces(const std::string& name) {
    if (name.find_first_of("\\/:") != std::string::npos)
        return {name};
    std::vector<std::wstring> seen;
    std::vector<std::string> places;
    for (std::wstring directory : searchDirectories(wideFrom(name))) {
        while (directory.size() > 3 && (directory.back() == L'\\' || directory.back() == L'/'))
            directory.pop_back();
        bool known = directory.empty();
        for (const std::wstring& earlier : seen)
            known = known || sameDirectory(earlier, directory);
        if (known)
            continue;
        seen.push_back(directory);
        const bool root = directory.back() == L'\\' || directory.back() == L'/';
        places.push_back(utf8From(directory) + (root ? "" : "\\") + name);
    }
    return places;
}

std::string failureReason(DWORD error, const std::string& name) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return "The encoder \"" + name + "\" was not found.";
    case ERROR_BAD_EXE_FORMAT:
    case ERROR_BAD_FORMAT:
    case ERROR_EXE_MACHINE_TYPE_MISMATCH:
    case ERROR_INVALID_EXE_SIGNATURE:
    case ERROR_EXE_MARKED_INVALID:
        return "\"" + name + "\" is not a valid program.";
    case ERROR_ACCESS_DENIED:
        return "Access to the encoder \"" + name + "\" was denied.";
    default:
        return "The encoder \"" + name + "\" could not be started (error " + std::to_string(error) +
               ").";
    }
}

// Why the line cannot be handed to CreateProcessW as it is; empty when it can. Malformed UTF-8
// would reach the encoder with U+FFFD in its place: a file name that nobody typed.
std::string refusal(const std::string& line, const std::wstring& wide) {
    if (line.find('\0') != std::string::npos)
        return "The encoder was not started: its command line holds a NUL character, which "
               "would cut it short.";
    if (!isWellFormedUtf8(line))
        return "The encoder was not started: its command line is not valid UTF-8 text.";
    if (wide.size() >= kMaxCommandLine)
        return "The encoder was not started: its command line is longer than the " +
               std::to_string(kMaxCommandLine - 1) + " characters Windows allows.";
    if (splitCommandLine(line).empty())
        return "The encoder command line is empty.";
    return {};
}

class WindowsEncoderLauncher : public EncoderLauncher {
public:
    LaunchResult launch(const EncoderCommand& command) override {
        LaunchResult result;
        std::wstring line = wideFrom(command.line);
        result.reason = refusal(command.line, line);
        if (!result.reason.empty())
            return result;

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                           nullptr, nullptr, &startup, &process)) {
            // Nothing is waited for: the encoder runs on its own in its console window.
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
            result.started = true;
            return result;
        }
        const DWORD error = GetLastError();
        const std::string name = splitCommandLine(command.line).front();
        result.reason = failureReason(error, name);
        result.searched = searchedPlaces(name);
        return result;
    }
};

} // namespace

std::unique_ptr<EncoderLauncher> systemEncoderLauncher() {
    return std::make_unique<WindowsEncoderLauncher>();
}

} // namespace quendra

#endif
