#pragma once

// For the tests of the Windows lame.bin: input it can read, its runs, and what its MP3 holds.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace wintest {

// A 16-bit PCM WAV of a chord, "seconds" long, at 44.1 kHz in stereo.
void writeChordWave(const std::filesystem::path& path, double seconds);

struct EncoderRun {
    DWORD exitCode = 0;
    std::string output; // what it wrote to its standard output and error
};

// Runs lame.bin on these arguments (UTF-8, quoted by the Windows rules) in "folder", without a
// console of its own, and waits for it.
EncoderRun runEncoder(const std::filesystem::path& encoder,
                      const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder);

// The text of an ID3v2 text frame ("TIT2") of the MP3, or "" when it has none.
std::wstring id3v2Text(const std::filesystem::path& mp3, const char* frame);

// The files of a folder, names only.
std::vector<std::wstring> filesIn(const std::filesystem::path& folder);

std::string utf8(const std::wstring& text);

} // namespace wintest
