#include "EncoderFiles.h"

#include "CommandLine.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace wintest {

namespace {

constexpr double kPi = 3.14159265358979;

void put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>(value >> (8 * i) & 0xff));
}

std::wstring wide(const std::string& text) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::uint32_t bigEndian(const unsigned char* at, int shift) {
    return static_cast<std::uint32_t>(at[0]) << (3 * shift) | at[1] << (2 * shift) |
           at[2] << shift | at[3];
}

} // namespace

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

void writeChordWave(const fs::path& path, double seconds) {
    const std::uint32_t rate = 44100, frames = static_cast<std::uint32_t>(seconds * rate);
    std::ofstream out(path, std::ios::binary);
    out.write("RIFF", 4);
    put(out, 36 + frames * 4, 4);
    out.write("WAVEfmt ", 8);
    put(out, 16, 4), put(out, 1, 2), put(out, 2, 2), put(out, rate, 4), put(out, rate * 4, 4);
    put(out, 4, 2), put(out, 16, 2);
    out.write("data", 4);
    put(out, frames * 4, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double left = std::sin(2 * kPi * 440 * t) + 0.5 * std::sin(2 * kPi * 554 * t);
        const double right = std::sin(2 * kPi * 330 * t) + 0.5 * std::sin(2 * kPi * 659 * t);
        put(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(left * 9000)), 2);
        put(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(right * 9000)), 2);
    }
}

EncoderRun runEncoder(const fs::path& encoder, const std::vector<std::string>& arguments,
                      const fs::path& folder) {
    std::string line = quendra::quoteArgument(utf8(encoder.wstring()));
    for (const std::string& argument : arguments)
        line += " " + quendra::quoteArgument(argument);
    std::wstring command = wide(line);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    EncoderRun run;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        folder.wstring().c_str(), &startup, &process)) {
        run.exitCode = 0xffffffff;
        run.output = "CreateProcessW failed with " + std::to_string(GetLastError());
        CloseHandle(readEnd), CloseHandle(writeEnd);
        return run;
    }
    CloseHandle(writeEnd);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.output.append(buffer, got);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess), CloseHandle(process.hThread), CloseHandle(readEnd);
    return run;
}

std::wstring id3v2Text(const fs::path& mp3, const char* frame) {
    std::ifstream in(mp3, std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), {}};
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    if (file.size() < 10 || file.compare(0, 3, "ID3") != 0)
        return {};
    const std::size_t end = 10 + bigEndian(bytes + 6, 7); // a synchsafe size
    for (std::size_t at = 10; at + 10 <= end && at + 10 <= file.size() && bytes[at] != 0;) {
        const std::size_t size = bigEndian(bytes + at + 4, 8);
        if (file.compare(at, 4, frame) == 0 && size >= 3 && bytes[at + 10] == 1) {
            // UTF-16 with a byte-order mark, as LAME writes it; the terminating 0 dropped.
            std::wstring text;
            for (std::size_t i = at + 13; i + 1 < at + 10 + size; i += 2)
                text += static_cast<wchar_t>(bytes[i] | bytes[i + 1] << 8);
            return text.substr(0, text.find(L'\0'));
        }
        at += 10 + size;
    }
    return {};
}

std::vector<std::wstring> filesIn(const fs::path& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().wstring());
    return names;
}

} // namespace wintest
