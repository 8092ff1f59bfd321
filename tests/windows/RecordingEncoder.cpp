// Stands in for the encoder as "lame.bin": writes the arguments it was given, as the Windows
// parsers split its command line, to the file named by QUENDRA_RECORD_FILE, then signals the
// event named by QUENDRA_RECORD_EVENT when there is one (WinExec hands back no process to wait
// for).
//
//   line   the raw command line, GetCommandLineA
//   crt    argv of main: the C runtime this program is linked with (msvcrt.dll for MinGW)
//   ucrt   the Universal C runtime's split of the same line (what an MSVC-built program gets)
//   shell  CommandLineToArgvW
#include "ArgumentRecord.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), size, nullptr, nullptr);
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
        out.push_back(narrow(list[i]));
    LocalFree(list);
    return out;
}

template <typename Function> Function entry(HMODULE module, const char* name) {
    // Through the generic function pointer type, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

std::optional<std::vector<std::string>> ucrtArguments() {
    const HMODULE ucrt = LoadLibraryA("ucrtbase.dll");
    if (!ucrt)
        return std::nullopt;
    using Configure = int(__cdecl*)(int);
    using Argc = int*(__cdecl*)();
    using Argv = char***(__cdecl*)();
    const auto configure = entry<Configure>(ucrt, "_configure_narrow_argv");
    const auto argc = entry<Argc>(ucrt, "__p___argc");
    const auto argv = entry<Argv>(ucrt, "__p___argv");
    // 1: _crt_argv_unexpanded_arguments, no wildcard expansion.
    if (!configure || !argc || !argv || configure(1) != 0)
        return std::nullopt;
    std::vector<std::string> out;
    for (int i = 0; i < *argc(); ++i)
        out.emplace_back((*argv())[i]);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    const char* file = std::getenv("QUENDRA_RECORD_FILE");
    if (!file || !*file)
        return 2;

    argrecord::Lists lists;
    lists["line"] = {GetCommandLineA()};
    lists["crt"] = std::vector<std::string>(argv, argv + argc);
    lists["shell"] = shellArguments();
    if (auto ucrt = ucrtArguments())
        lists["ucrt"] = std::move(*ucrt);

    // Written aside and renamed, so a reader never sees half a record.
    const std::string part = std::string(file) + ".part";
    std::FILE* out = std::fopen(part.c_str(), "wb");
    if (!out)
        return 3;
    const std::string text = argrecord::encode(lists);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written)
        return 3;
    if (!MoveFileExA(part.c_str(), file, MOVEFILE_REPLACE_EXISTING))
        return 3;

    if (const char* name = std::getenv("QUENDRA_RECORD_EVENT"); name && *name) {
        const HANDLE event = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
        if (!event)
            return 4;
        SetEvent(event);
        CloseHandle(event);
    }
    return 0;
}
