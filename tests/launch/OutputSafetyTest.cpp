// What lame.bin does to the output's folder: a refused command line writes nothing, a full disk
// leaves an earlier file as it was, a finished encoding replaces it in one step.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

using namespace launchtest;

namespace {

const fs::path kLameBin = LAMEBIN_PATH;

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class OutputSafety : public testing::Test {
protected:
    void SetUp() override {
        writeWave(dir / "in.wav", musicLikeWave(2, 2, 44100, 7));
        writeFile(dir / "take.mp3", "an earlier take");
    }

    ProgramRun encode(std::vector<std::string> options, const fs::path& output) {
        options.insert(options.begin(), kLameBin.string());
        options.insert(options.end(), {(dir / "in.wav").string(), output.string()});
        return runProgram(options);
    }

    TempDir dir;
};

TEST_F(OutputSafety, ARefusedCommandLineNamesTheOptionAndWritesNothing) {
    for (const std::vector<std::string>& options : {std::vector<std::string>{"--scale", "abc"},
                                                    {"--athtype", "x"},
                                                    {"--lowpass", ""},
                                                    {"--preset", "standard"},
                                                    {"--freeformat"},
                                                    {"--tg", "300"}}) {
        SCOPED_TRACE(options.front());
        const ProgramRun run = encode(options, dir / "take.mp3");
        EXPECT_EQ(run.exitCode, 2) << run.output;
        EXPECT_NE(run.output.find(options.front()), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("Nothing was encoded."), std::string::npos) << run.output;
        EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"in.wav", "take.mp3"}));
        EXPECT_EQ(readFile(dir / "take.mp3"), "an earlier take");
    }
}

TEST_F(OutputSafety, AFinishedEncodingReplacesTheFileAndKeepsItsPermissions) {
    fs::permissions(dir / "take.mp3",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("take.mp3", dir / "link.mp3");
    const ProgramRun run = encode({"--cbr", "-b", "128"}, dir / "link.mp3");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"in.wav", "link.mp3", "take.mp3"}));
    EXPECT_TRUE(fs::is_symlink(dir / "link.mp3")) << "the link is followed, not replaced";
    EXPECT_GT(mp3FrameChain(readFile(dir / "take.mp3")), 0);
    EXPECT_EQ(fs::status(dir / "take.mp3").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(OutputSafety, ANewFileGetsTheUsualPermissions) {
    const mode_t mask = umask(027);
    const ProgramRun run = encode({"-V", "4"}, dir / "new.mp3");
    umask(mask);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(fs::status(dir / "new.mp3").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A folder of 64 KiB on a file system of its own (a tmpfs mounted in a mount namespace of the
// encoding's own), holding an earlier take of 40 KiB; the new encoding needs more than is left.
TEST_F(OutputSafety, AFullDiskLeavesTheEarlierFileAsItWas) {
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    const fs::path small = dir / "small";
    fs::create_directory(small);
    writeFile(dir / "earlier", std::string(40 * 1024, 'e'));
    const std::string script = "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 90\n"
                               "cp \"$2\" \"$1/take.mp3\"\n"
                               "\"$3\" --cbr -b 320 \"$4\" \"$1/take.mp3\"; echo \"exit $?\"\n"
                               "ls -A \"$1\"; cmp -s \"$2\" \"$1/take.mp3\" && echo unchanged\n";
    const ProgramRun run =
        runProgram({"unshare", "-m", "sh", "-c", script, "sh", small.string(),
                    (dir / "earlier").string(), kLameBin.string(), (dir / "in.wav").string()});
    ASSERT_NE(run.exitCode, 90) << "no tmpfs could be mounted: " << run.output;
    EXPECT_NE(run.output.find("No space left on device"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nexit 1\ntake.mp3\nunchanged\n"), std::string::npos) << run.output;
}

} // namespace
