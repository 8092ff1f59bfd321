// What lame.bin does to the output's folder: a refused command line writes nothing, a full disk
// leaves an earlier file as it was, a finished encoding replaces it in one step; a device or a
// pipe as output is written straight and stays what it is, a link leads to the file written.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace launchtest;

namespace {

const fs::path kLameBin = LAMEBIN_PATH;

// What a program writes into a pipe while it runs, read as it comes.
struct PipeRun {
    ProgramRun run;
    std::string bytes;
};

PipeRun throughPipe(const fs::path& pipe, const std::vector<std::string>& command) {
    // Opened for reading without waiting, so that the writer's open finds a reader.
    const int fd = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open the pipe " + pipe.string());
    PipeRun result;
    std::atomic<bool> ended{false};
    std::thread reader([&] {
        char buffer[65536];
        for (;;) {
            pollfd ready{fd, POLLIN, 0};
            poll(&ready, 1, 100);
            const ssize_t got = read(fd, buffer, sizeof buffer);
            if (got > 0)
                result.bytes.append(buffer, static_cast<std::size_t>(got));
            else if (ended && (got == 0 || errno != EINTR))
                return;
        }
    });
    result.run = runProgram(command);
    ended = true;
    reader.join();
    ::close(fd);
    return result;
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

// A link whose file is not made yet, through another link: the file is made where the last link
// leads, and both links stay links.
TEST_F(OutputSafety, ALinkToNoFileYetMakesTheFileItNames) {
    fs::create_directory(dir / "takes");
    fs::create_symlink("takes/new.mp3", dir / "next.mp3");
    fs::create_symlink("next.mp3", dir / "link.mp3");
    const ProgramRun run = encode({"--cbr", "-b", "128"}, dir / "link.mp3");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(fs::is_symlink(dir / "link.mp3") && fs::is_symlink(dir / "next.mp3"));
    EXPECT_EQ(namesIn(dir / "takes"), std::vector<std::string>{"new.mp3"});
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir / "takes/new.mp3")));
    EXPECT_GT(mp3FrameChain(readFile(dir / "takes/new.mp3")), 0);
}

// A pipe gets the MP3 as LAME's program writes into one, which cannot write its LAME tag back.
TEST_F(OutputSafety, APipeIsWrittenAsTheProgramWritesItAndStaysAPipe) {
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
    const PipeRun ours =
        throughPipe(dir / "pipe", {kLameBin.string(), "--cbr", "-b", "128",
                                   (dir / "in.wav").string(), (dir / "pipe").string()});
    ASSERT_EQ(ours.run.exitCode, 0) << ours.run.output;
    EXPECT_NE(ours.run.output.find("cannot be written back into"), std::string::npos)
        << ours.run.output;
    const PipeRun theirs =
        throughPipe(dir / "pipe", {"lame", "--quiet", "--cbr", "-b", "128",
                                   (dir / "in.wav").string(), (dir / "pipe").string()});
    ASSERT_EQ(theirs.run.exitCode, 0) << theirs.run.output;
    EXPECT_GT(mp3FrameChain(ours.bytes), 0);
    EXPECT_TRUE(ours.bytes == theirs.bytes) << "lame.bin wrote other bytes into the pipe";
    EXPECT_EQ(fs::symlink_status(dir / "pipe").type(), fs::file_type::fifo);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"in.wav", "pipe", "take.mp3"}));
}

// Devices of their own, as root: the null device takes the MP3 (also through a link); the full
// device refuses it, and stays.
TEST_F(OutputSafety, ADeviceIsWrittenStraightAndNeverReplacedOrRemoved) {
    if (geteuid() != 0)
        GTEST_SKIP() << "making device nodes (mknod) needs root";
    ASSERT_EQ(mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
    ASSERT_EQ(mknod((dir / "full").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
    fs::create_symlink("null", dir / "link.mp3");
    for (const char* output : {"null", "link.mp3"}) {
        const ProgramRun run = encode({"-V", "4"}, dir / output);
        EXPECT_EQ(run.exitCode, 0) << output << ": " << run.output;
    }
    const ProgramRun full = encode({"-V", "4"}, dir / "full");
    EXPECT_EQ(full.exitCode, 1) << full.output;
    EXPECT_NE(full.output.find("No space left on device"), std::string::npos) << full.output;
    EXPECT_EQ(namesIn(dir.path()),
              (std::vector<std::string>{"full", "in.wav", "link.mp3", "null", "take.mp3"}));
    EXPECT_TRUE(fs::is_character_file(dir / "null") && fs::is_character_file(dir / "full"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.mp3"));
}

} // namespace
