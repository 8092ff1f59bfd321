// The whole road on Windows, as a person takes it: the program with the real lame.bin beside it,
// a WAV with a name outside ASCII, a title typed, "Start encoding" pressed; the MP3 appears,
// decodes to the input's length and carries the title. QUENDRA_PROGRAM names an installed or
// unpacked Project1.exe; without it the test runs a copy of the build's program and encoder.
#include "EncoderFiles.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#define ENABLE_SNDFILE_WINDOWS_PROTOTYPES 1
#include <sndfile.h>

#include <fstream>

using namespace wintest;
namespace control = quendra::control;
namespace fs = std::filesystem;

namespace {

// Frames the MP3 decodes to, through libsndfile as lame.bin reads MPEG input.
long long decodedFrames(const fs::path& mp3) {
    SF_INFO info{};
    SNDFILE* file = sf_wchar_open(mp3.c_str(), SFM_READ, &info);
    if (!file)
        return -1;
    std::vector<short> samples(4096 * static_cast<std::size_t>(info.channels));
    long long frames = 0;
    for (sf_count_t got; (got = sf_readf_short(file, samples.data(), 4096)) > 0;)
        frames += got;
    sf_close(file);
    return frames;
}

std::wstring program(const fs::path& scratch) {
    wchar_t given[MAX_PATH] = {};
    if (GetEnvironmentVariableW(L"QUENDRA_PROGRAM", given, MAX_PATH) > 0)
        return given;
    const fs::path build = fs::path(programFolder()).parent_path();
    fs::copy_file(build / L"bin" / L"Project1.exe", scratch / L"Project1.exe");
    fs::copy_file(build / L"encoder" / L"lame.bin", scratch / L"lame.bin");
    return (scratch / L"Project1.exe").wstring();
}

TEST(EncodingWindow, StartEncodingWritesTheTaggedMp3) {
    const fs::path scratch =
        fs::temp_directory_path() / (L"quendra-encoding-" + std::to_wstring(GetTickCount64()));
    fs::create_directories(scratch);
    const fs::path input = scratch / L"Ünïcødé 日本語.wav";
    const fs::path output = scratch / L"Ελληνικά.mp3";
    const std::wstring title = L"Título ♫ 日本語";
    writeChordWave(input, 2.0);
    {
        RunningWindow window(program(scratch), scratch.wstring());
        click(window.control(control::Edit01), {10, 10});
        typeText(input.wstring());
        click(window.control(control::Edit02), {10, 10});
        typeText(output.wstring());
        clickMark(window.control(control::CheckBox01));
        ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(window.control(control::Edit03)); }));
        click(window.control(control::Edit03), {10, 10});
        pressKey(VK_HOME);
        pressKey(VK_END, /*shift=*/true);
        typeText(title);
        clickCentre(window.control(control::Button1));
        // The MP3 takes its name only when complete.
        ASSERT_TRUE(waitUntil([&] { return fs::exists(output); }, 120000))
            << "no MP3 after Start encoding";
    }
    EXPECT_EQ(id3v2Text(output, "TIT2"), title);
    const long long frames = decodedFrames(output);
    // The input's 88200 frames, give or take LAME's padding of less than two MP3 frames.
    EXPECT_NEAR(static_cast<double>(frames), 88200.0, 2 * 1152.0);
    std::error_code ignored;
    fs::remove_all(scratch, ignored);
}

} // namespace
