// Stands in for the encoder as "lame.bin": writes what it was given to the file named by
// QUENDRA_RECORD_FILE, then signals the event named by QUENDRA_RECORD_EVENT when there is one
// (the launcher hands back no process to wait for), then waits for the event named by
// QUENDRA_RECORD_HOLD when there is one, so that a test can see several encoders running at once.
// Text that Windows holds as UTF-16 is written as UTF-8.
//
//   line     the raw command line, GetCommandLineW
//   crt      argv of main: the C runtime this program is linked with (msvcrt.dll for MinGW),
//            in the ANSI code page
//   ucrt     the Universal C runtime's split of the same line (what an MSVC-built program gets)
//   wucrt    the Universal C runtime's split into UTF-16 arguments (an MSVC-built wmain)
//   shell    CommandLineToArgvW
//   module   the file this process runs from
//   process  its process id
//   startup  whether STARTF_USESHOWWINDOW was given, and wShowWindow
//   console  how many processes share its console
#include "ArgumentRecord.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

// Only keeps a forgotten hold from leaving processes behind.
constexpr DWORD kHoldBoundMs = 120000;

std::string utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.pop_back(); // the terminating NUL
    return out;
}

std::vector<std::string> shellArguments() {
    int count = 0;
    wchar_t** list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> out;
    if (!list)
        return out;
    for (int i = 0; i < count; ++i)
        out.push_back(utf8(list[i]));
    LocalFree(list);
    return out;
}

template <typename Function> Function entry(HMODULE module, const char* name) {
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The UCRT's split, narrow (char) or wide (wchar_t), without wildcard expansion.
template <typename Char>
std::optional<std::vector<std::string>> ucrtArguments(const char* configureName,
                                                      const char* argvName) {
    const HMODULE ucrt = LoadLibraryA("ucrtbase.dll");
    if (!ucrt)
        return std::nullopt;
    using Configure = int(__cdecl*)(int);
    using Argc = int*(__cdecl*)();
    using Argv = Char***(__cdecl*)();
    const auto configure = entry<Configure>(ucrt, configureName);
    const auto argc = entry<Argc>(ucrt, "__p___argc");
    const auto argv = entry<Argv>(ucrt, argvName);
    // 1: _crt_argv_unexpanded_arguments.
    if (!configure || !argc || !argv || configure(1) != 0)
        return std::nullopt;
    std::vector<std::string> out;
    for (int i = 0; i < *argc(); ++i) {
        if constexpr (sizeof(Char) == 1)
            out.emplace_back((*argv())[i]);
        else
            out.push_back(utf8((*argv())[i]));
    }
    return out;
}

std::string moduleFile() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return utf8(path.c_str());
}

argrecord::Lists record(int argc, char** argv) {
    argrecord::Lists lists;
    lists["line"] = {utf8(GetCommandLineW())};
    lists["crt"] = std::vector<std::string>(argv, argv + argc);
    lists["shell"] = shellArguments();
    if (auto ucrt = ucrtArguments<char>("_configure_narrow_argv", "__p___argv"))
        lists["ucrt"] = std::move(*ucrt);
    if (auto wucrt = ucrtArguments<wchar_t>("_configure_wide_argv", "__p___wargv"))
        lists["wucrt"] = std::move(*wucrt);
    lists["module"] = {moduleFile()};
    lists["process"] = {std::to_string(GetCurrentProcessId())};
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    lists["startup"] = {(startup.dwFlags & STARTF_USESHOWWINDOW) ? "show" : "default",
                        std::to_string(startup.wShowWindow)};
    DWORD processes[16];
    lists["console"] = {std::to_string(GetConsoleProcessList(processes, 16))};
    return lists;
}

// Written aside and renamed, so a reader never sees half a record.
bool write(const std::string& file, const argrecord::Lists& lists) {
    const std::string part = file + ".part";
    std::FILE* out = std::fopen(part.c_str(), "wb");
    if (!out)
        return false;
    const std::string text = argrecord::encode(lists);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written &&
           MoveFileExA(part.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

const char* variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const char* file = variable("QUENDRA_RECORD_FILE");
    if (!file)
        return 2;
    if (!write(file, record(argc, argv)))
        return 3;

    if (const char* name = variable("QUENDRA_RECORD_EVENT")) {
        const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
        if (!event)
            return 4;
        SetEvent(event);
        CloseHandle(event);
    }
    if (const char* name = variable("QUENDRA_RECORD_HOLD")) {
        const HANDLE hold = OpenEventA(SYNCHRONIZE, FALSE, name);
        if (!hold)
            return 5;
        WaitForSingleObject(hold, kHoldBoundMs);
        CloseHandle(hold);
    }
    return 0;
}
