// The Windows lame.bin (built into encoder/ beside the tests' bin/) where Windows differs from
// Linux: names and tags in any script through the UTF-16 command line, paths longer than 259
// characters, the input under another spelling refused as the output, an earlier output kept
// whole by a failed or ended encoding, device names as output and names too long for a folder.
#include "EncoderFiles.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace wintest;
namespace fs = std::filesystem;

namespace {

fs::path encoder() {
    return fs::path(programFolder()).parent_path() / L"encoder" / L"lame.bin";
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class EncoderProgram : public testing::Test {
protected:
    EncoderProgram()
        : folder_(fs::temp_directory_path() /
                  (L"quendra-encoder-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(GetTickCount64()))) {
        fs::create_directories(folder_);
    }
    ~EncoderProgram() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path folder_;
};

TEST_F(EncoderProgram, NamesAndTagsInAnyScriptReachTheFilesAndTheTags) {
    const fs::path input = folder_ / L"Ünïcødé 日本語 'x'.wav";
    const fs::path output = folder_ / L"Ελληνικά – مرحبا.mp3";
    const std::wstring title = L"Título ♫ 日本語 “quoted” \\\" end\\";
    const std::wstring artist = L"Łukasz Ωmega 🎵";
    writeChordWave(input, 1.0);
    const EncoderRun run =
        runEncoder(encoder(),
                   {"--cbr", "-b", "auto", "--tt", utf8(title), "--ta", utf8(artist), "--scale",
                    "1", "-q", "2", utf8(input.wstring()), utf8(output.wstring())},
                   folder_);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(id3v2Text(output, "TIT2"), title);
    EXPECT_EQ(id3v2Text(output, "TPE1"), artist);
    // The first line is the command line as received, readable in UTF-8.
    EXPECT_NE(run.output.find(utf8(artist)), std::string::npos) << run.output;
}

TEST_F(EncoderProgram, PathsLongerThan259CharactersAreReadAndWritten) {
    fs::path deep = folder_;
    for (int i = 0; i < 6; ++i)
        deep /= std::wstring(50, static_cast<wchar_t>(L'a' + i));
    fs::create_directories(L"\\\\?\\" + deep.wstring());
    ASSERT_GT(deep.wstring().size(), 300u);
    writeChordWave(folder_ / L"short.wav", 0.5);
    fs::copy_file(folder_ / L"short.wav", L"\\\\?\\" + (deep / L"in.wav").wstring());
    const EncoderRun run = runEncoder(
        encoder(),
        {"-V", "4", utf8((deep / L"in.wav").wstring()), utf8((deep / L"out.mp3").wstring())},
        folder_);
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_GT(fs::file_size(L"\\\\?\\" + (deep / L"out.mp3").wstring()), 1000u);
    // Too deep for the ordinary functions to remove.
    for (const wchar_t* name : {L"in.wav", L"out.mp3"})
        DeleteFileW((L"\\\\?\\" + (deep / name).wstring()).c_str());
    for (; deep != folder_; deep = deep.parent_path())
        RemoveDirectoryW((L"\\\\?\\" + deep.wstring()).c_str());
}

// Every spelling Windows accepts for the input names the same file.
TEST_F(EncoderProgram, TheInputUnderAnotherSpellingIsRefusedAsTheOutput) {
    const fs::path input = folder_ / L"A long input name.wav";
    writeChordWave(input, 0.3);
    const std::string before = readAll(input);
    std::wstring upper = input.wstring(), slashes = input.wstring();
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(towupper(c));
    for (wchar_t& c : slashes)
        c = c == L'\\' ? L'/' : c;
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(input.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::wstring(shortName), input.wstring());
    for (const std::wstring& spelling :
         {upper, slashes, std::wstring(shortName), std::wstring(L"A long input name.wav"),
          std::wstring(L".\\sub\\..\\A long input name.wav")}) {
        fs::create_directories(folder_ / L"sub");
        const EncoderRun run =
            runEncoder(encoder(), {"-V", "4", utf8(input.wstring()), utf8(spelling)}, folder_);
        EXPECT_EQ(run.exitCode, 2u) << utf8(spelling) << "\n" << run.output;
        EXPECT_NE(run.output.find("is the input file"), std::string::npos) << run.output;
    }
    EXPECT_EQ(readAll(input), before);
}

// A failed encoding leaves the earlier file whole and no temporary file beside it.
TEST_F(EncoderProgram, AnEarlierOutputSurvivesAFailedOrStoppedEncoding) {
    const fs::path output = folder_ / L"earlier.mp3";
    std::ofstream(output, std::ios::binary) << "the earlier file";
    std::ofstream(folder_ / L"not audio.wav", std::ios::binary) << "no sound in here";
    const EncoderRun failed = runEncoder(
        encoder(),
        {"-V", "4", utf8((folder_ / L"not audio.wav").wstring()), utf8(output.wstring())}, folder_);
    EXPECT_EQ(failed.exitCode, 1u) << failed.output;
    EXPECT_EQ(readAll(output), "the earlier file");
    EXPECT_EQ(filesIn(folder_).size(), 2u);
}

// Ended from outside mid-way (as a closed console window ends it), it leaves no temporary
// file: Windows removes it with the last handle.
TEST_F(EncoderProgram, AnEarlierOutputSurvivesAnEncodingEndedFromOutside) {
    const fs::path output = folder_ / L"earlier.mp3";
    std::ofstream(output, std::ios::binary) << "the earlier file";
    writeChordWave(folder_ / L"long.wav", 180);
    std::wstring line = L"\"" + encoder().wstring() + L"\" -V 0 -q 0 long.wav earlier.mp3";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                               nullptr, folder_.c_str(), &startup, &process));
    // The temporary file's size, or -1 while there is none.
    const auto temporarySize = [&]() -> std::intmax_t {
        for (const auto& entry : fs::directory_iterator(folder_))
            if (entry.path().filename().wstring().rfind(L".earlier.mp3.partial-", 0) == 0) {
                std::error_code error;
                const auto size = entry.file_size(error);
                return error ? 0 : static_cast<std::intmax_t>(size);
            }
        return -1;
    };
    const auto temporaryExists = [&] { return temporarySize() >= 0; };
    // Written into, the file is past the instant between its making and its marking, which a
    // kill cannot be kept out of.
    const bool started = waitUntil([&] { return temporarySize() > 0; }, 30000);
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess), CloseHandle(process.hThread);
    ASSERT_TRUE(started) << "lame.bin wrote no temporary file";
    EXPECT_TRUE(waitUntil([&] { return !temporaryExists(); }, 5000));
    EXPECT_EQ(readAll(output), "the earlier file");
}

// A name Windows takes for a device is the device, as for LAME's program: it is written into, or
// the run fails, and no file of that name is made or replaced. Whether "nul.mp3" is one depends
// on the Windows version (wine takes it so).
TEST_F(EncoderProgram, DeviceNamesAreNeverMadeIntoFiles) {
    writeChordWave(folder_ / L"in.wav", 0.3);
    for (const char* device : {"NUL", "nul.mp3", "CON"}) {
        wchar_t full[MAX_PATH] = {};
        GetFullPathNameW((folder_ / device).c_str(), MAX_PATH, full, nullptr);
        if (std::wstring(full).rfind(L"\\\\.\\", 0) != 0)
            continue; // a file name on this version
        const EncoderRun run = runEncoder(encoder(), {"-V", "4", "in.wav", device}, folder_);
        if (std::string(device) == "NUL") {
            EXPECT_EQ(run.exitCode, 0u) << run.output;
        }
        EXPECT_EQ(filesIn(folder_), std::vector<std::wstring>{L"in.wav"}) << device;
    }
}

// Longer than the 255 characters a name in a folder can have, in the file's name or a folder's,
// is refused before anything is read.
TEST_F(EncoderProgram, NamesLongerThanAFolderHoldsAreRefusedFirst) {
    writeChordWave(folder_ / L"in.wav", 0.3);
    const std::string file = std::string(252, 'n') + ".mp3", folder(256, 'f');
    for (const auto& [output, tooLong] : {std::pair{file, file}, {folder + "\\out.mp3", folder}}) {
        const EncoderRun run = runEncoder(encoder(), {"-V", "4", "in.wav", output}, folder_);
        EXPECT_EQ(run.exitCode, 2u) << run.output;
        EXPECT_NE(run.output.find("\"" + tooLong + "\" in it is 256 characters long"),
                  std::string::npos)
            << run.output;
    }
    EXPECT_EQ(filesIn(folder_), std::vector<std::wstring>{L"in.wav"});
}

} // namespace
