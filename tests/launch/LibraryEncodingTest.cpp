// lame.bin against Debian's "lame" program on the same library: the same bytes for the options
// both act on, a different encoding for each option only lame.bin hands to the library, a note
// for what the library itself does not act on, MPEG input, and tags read back by mutagen.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

using namespace launchtest;

namespace {

using Strings = std::vector<std::string>;

const fs::path kLameBin = LAMEBIN_PATH;

Strings joined(Strings first, const Strings& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

ProgramRun lameBin(const Strings& options, const fs::path& input, const fs::path& output) {
    return runProgram(joined(joined({kLameBin.string()}, options), {input, output}));
}

// Debian's program, in the UTF-8 locale lame.bin converts tag text in.
ProgramRun lameProgram(const Strings& options, const fs::path& input, const fs::path& output) {
    return runProgram(joined(joined({"lame", "--quiet"}, options), {input, output}),
                      {"LC_ALL=C.UTF-8"});
}

// The window's words as the program takes them: "-b auto" is its "-b 0", "-k" its
// "--lowpass -1 --highpass -1". A tag's value stays as it is.
Strings forLameProgram(const Strings& options) {
    Strings out;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const std::string& word = options[i];
        if (word == "-k")
            out.insert(out.end(), {"--lowpass", "-1", "--highpass", "-1"});
        else if (word.rfind("--t", 0) == 0 && word.size() == 4)
            out.insert(out.end(), {word, options[++i]});
        else if (word == "-b" && options[i + 1] == "auto")
            out.insert(out.end(), {"-b", "0"}), ++i;
        else
            out.push_back(word);
    }
    return out;
}

class LibraryEncoding : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(runProgram({"lame", "--version"}).exitCode, 0) << "Debian's lame is needed";
    }
    TempDir dir;
};

// --- the same bytes as the program ---------------------------------------------------------

template <typename T> const T& pick(std::mt19937& random, const std::vector<T>& from) {
    return from[random() % from.size()];
}

bool chance(std::mt19937& random, int percent) {
    return static_cast<int>(random() % 100) < percent;
}

const Strings kTagValues{
    "", "Take 5", "ü ß 日本 ♫ 🎵", "say \"hi\" C:\\dir\\", "  lead", "1999", "12", "300", "-k"};
const Strings kGenres{
    "",         "Blues",       "Alt. Rock", "Christian Gangsta Rap", "Rock & Roll",
    "Pop/Funk", "Drum & Bass", "JPop"};

// A random choice of the window's options that Debian's program acts on, in the window's order.
Strings windowOptions(std::mt19937& random) {
    Strings o;
    const int rate = static_cast<int>(random() % 3);
    if (rate == 0)
        o = {"--cbr", "-b",
             pick(random, Strings{"auto", "32", "64", "96", "128", "160", "256", "320"})};
    else if (rate == 1)
        o = {"-V", std::to_string(random() % 10)};
    else
        o = {"--abr", pick(random, Strings{"48", "96", "128", "192"})};
    if (chance(random, 40))
        o.insert(o.end(), {"-m", pick(random, Strings{"s", "j", "f", "d", "m"})});
    if (chance(random, 25))
        o.insert(o.end(),
                 {"--resample", pick(random, Strings{"16", "22.05", "24", "32", "44.1", "48"})});
    if (chance(random, 50)) {
        for (const char* option : {"--tt", "--ta", "--tl", "--ty", "--tc", "--tn"})
            o.insert(o.end(), {option, pick(random, kTagValues)});
        o.insert(o.end(), {"--tg", pick(random, kGenres)});
    }
    if (chance(random, 25))
        o.insert(o.end(), {"-e", pick(random, Strings{"5", "c"})});
    const int gain = static_cast<int>(random() % 3);
    if (gain != 1)
        o.push_back(gain == 0 ? "--noreplaygain" : "--replaygain-accurate");
    for (const char* flag : {"-p", "-o", "-c"})
        if (chance(random, 25))
            o.push_back(flag);
    if (chance(random, 20)) {
        o.push_back("-k");
    } else if (chance(random, 40)) {
        for (const auto& [option, values] :
             std::vector<std::pair<const char*, Strings>>{{"--highpass", {"0.05", "0.5", "2"}},
                                                          {"--highpass-width", {"0.1", "3"}},
                                                          {"--lowpass", {"8", "12.5", "17"}},
                                                          {"--lowpass-width", {"1", "2.5"}}})
            if (chance(random, 50))
                o.insert(o.end(), {option, pick(random, values)});
    }
    if (chance(random, 15))
        o.insert(o.end(), {"--noasm", pick(random, Strings{"mmx", "3dnow", "sse"})});
    if (rate == 0 && o[2] != "auto" && chance(random, 15))
        o.push_back("--freeformat");
    for (const char* flag : {"--strictly-enforce-ISO", "--nores", "-t"})
        if (chance(random, 20))
            o.push_back(flag);
    o.insert(o.end(), {"--scale", pick(random, Strings{"1", "0.5", "1.5", "3"})});
    o.insert(o.end(), {"-q", std::to_string(random() % 10)});
    return o;
}

TEST_F(LibraryEncoding, SameBytesAsTheProgramForRandomWindowOptions) {
    const char* seedText = std::getenv("QUENDRA_DIFF_SEED");
    const unsigned seed =
        seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10)) : 17;
    const int perInput = 25;
    std::mt19937 random(seed);
    writeWave(dir / "stereo.wav", musicLikeWave(1.3, 2, 44100, 1));
    writeWave(dir / "mono.wav", musicLikeWave(1.1, 1, 22050, 2));
    writeAiff(dir / "stereo.aif", musicLikeWave(1.2, 2, 48000, 3));
    int compared = 0;
    for (const char* input : {"stereo.wav", "mono.wav", "stereo.aif"})
        for (int k = 0; k < perInput; ++k) {
            const Strings options = windowOptions(random);
            std::string shown;
            for (const std::string& option : options)
                shown += " [" + option + "]";
            SCOPED_TRACE(std::string("seed ") + std::to_string(seed) + ", " + input + ":" + shown);
            const ProgramRun ours = lameBin(options, dir / input, dir / "ours.mp3");
            const ProgramRun theirs =
                lameProgram(forLameProgram(options), dir / input, dir / "theirs.mp3");
            ASSERT_EQ(ours.exitCode, 0) << ours.output;
            ASSERT_EQ(theirs.exitCode, 0) << theirs.output;
            EXPECT_TRUE(readFile(dir / "ours.mp3") == readFile(dir / "theirs.mp3"));
            ++compared;
        }
    EXPECT_EQ(compared, 3 * perInput);
}

// At a few samples a second one sample becomes many frames. lame.bin hands the library as many
// samples at a time as LAME's program does, so it makes the program's bytes, and has room for
// all one step makes, so it encodes even where the program has not (1 Hz into 48 kHz at 320
// kbit/s: "mp3 buffer is not big enough").
TEST_F(LibraryEncoding, VeryLowInputRatesEncodeAsTheProgramEncodesThem) {
    for (const auto& [rate, seconds] : {std::pair{1, 30}, {16, 60}, {300, 10}})
        for (const Strings& options : {Strings{"-b", "128"}, {"-b", "320", "--resample", "48"}}) {
            SCOPED_TRACE(std::to_string(rate) + " Hz, " + options[1] + " kbit/s");
            writeWave(dir / "low.wav", musicLikeWave(seconds, 2, rate, 7));
            const ProgramRun ours = lameBin(options, dir / "low.wav", dir / "ours.mp3");
            ASSERT_EQ(ours.exitCode, 0) << ours.output;
            const ProgramRun theirs = lameProgram(options, dir / "low.wav", dir / "theirs.mp3");
            if (theirs.exitCode == 0) {
                EXPECT_TRUE(readFile(dir / "ours.mp3") == readFile(dir / "theirs.mp3"));
                continue;
            }
            EXPECT_NE(theirs.output.find("mp3 buffer is not big enough"), std::string::npos);
            const ProgramRun decoded = runProgram(
                {"lame", "--quiet", "--decode", (dir / "ours.mp3").string(), (dir / "ours.wav")});
            ASSERT_EQ(decoded.exitCode, 0) << decoded.output;
            // Less than an input sample and a frame longer: the library's resampling.
            EXPECT_NEAR(double(readWave(dir / "ours.wav").frames()), seconds * 48000.0,
                        48000.0 / rate + 1152);
        }
}

// --- what only lame.bin hands to the library ---------------------------------------------------

struct SwitchCase {
    const char* name;
    Strings base;
    Strings extra;
    bool changesTheMp3; // else the library does not act on it, and lame.bin says so
};

void PrintTo(const SwitchCase& c, std::ostream* out) {
    *out << c.name;
}

class LibraryOnlySwitch : public LibraryEncoding, public testing::WithParamInterface<SwitchCase> {};

TEST_P(LibraryOnlySwitch, ChangesTheEncodingOrIsNamedAsIgnored) {
    const SwitchCase& c = GetParam();
    writeWave(dir / "in.wav", musicLikeWave(3, 2, 44100, 4));
    // Debian's program ignores the switch: its MP3 is the same with and without it.
    ASSERT_EQ(lameProgram(c.base, dir / "in.wav", dir / "program.mp3").exitCode, 0);
    const ProgramRun program = lameProgram(joined(c.base, c.extra), dir / "in.wav", dir / "p2.mp3");
    ASSERT_EQ(program.exitCode, 0) << program.output;
    EXPECT_EQ(readFile(dir / "program.mp3"), readFile(dir / "p2.mp3"));

    ASSERT_EQ(lameBin(c.base, dir / "in.wav", dir / "without.mp3").exitCode, 0);
    const ProgramRun with = lameBin(joined(c.base, c.extra), dir / "in.wav", dir / "with.mp3");
    ASSERT_EQ(with.exitCode, 0) << with.output;
    const bool changed = readFile(dir / "without.mp3") != readFile(dir / "with.mp3");
    EXPECT_EQ(changed, c.changesTheMp3);
    const bool noted = with.output.find(" changes nothing: LAME's library") != std::string::npos;
    EXPECT_EQ(noted, !c.changesTheMp3) << with.output;
}

const Strings kCbr{"--cbr", "-b", "128", "-q", "2"};
const Strings kAbr{"--abr", "96", "-q", "5"};
const Strings kVbr{"-V", "4", "-q", "2"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, LibraryOnlySwitch, testing::Values(
    SwitchCase{"NoAth", kCbr, {"--noath"}, true},
    SwitchCase{"NoAthVbr", kVbr, {"--noath"}, true},
    SwitchCase{"AthType0", kCbr, {"--athtype", "0"}, true},
    SwitchCase{"AthType1", kCbr, {"--athtype", "1"}, true},
    SwitchCase{"AthType2Abr", kAbr, {"--athtype", "2"}, true},
    SwitchCase{"AthOnly", kCbr, {"--athonly"}, true},
    SwitchCase{"AthLower", kCbr, {"--athlower", "6"}, true},
    SwitchCase{"AthLowerVbr", kVbr, {"--athlower", "6"}, true},
    SwitchCase{"NoShortBlocks", kCbr, {"--noshort"}, true},
    SwitchCase{"AllShortBlocksVbr", kVbr, {"--allshort"}, true},
    SwitchCase{"NoTemporalMasking", kCbr, {"--notemp"}, true},
    SwitchCase{"QuantComparison1", kCbr, {"-X", "1"}, true},
    SwitchCase{"QuantComparison4Abr", kAbr, {"-X", "4"}, true},
    SwitchCase{"QuantComparison7", kCbr, {"-X", "7"}, true},
    SwitchCase{"AthShort", kCbr, {"--athshort"}, false},
    SwitchCase{"BlockTypeControl", kCbr, {"-d"}, false},
    SwitchCase{"AthTypeInVbr", kVbr, {"--athtype", "1"}, false},
    SwitchCase{"NoTemporalMaskingInVbr", kVbr, {"--notemp"}, false},
    SwitchCase{"NoTemporalMaskingAtQ9", {"--cbr", "-b", "128", "-q", "9"}, {"--notemp"}, false},
    SwitchCase{"QuantComparisonInVbr", kVbr, {"-X", "3"}, false}),
    [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });
// clang-format on

// --- MPEG input --------------------------------------------------------------------------------

// The two programs decode MPEG input with different decoders (libsndfile's mpg123, LAME's
// mpglib), so their MP3s are compared by length and sound, after decoding.
TEST_F(LibraryEncoding, MpegInputGivesTheProgramsLengthAndSound) {
    const Wave source = musicLikeWave(2, 2, 44100, 5);
    writeWave(dir / "source.wav", source);
    ASSERT_EQ(runProgram({"lame", "--quiet", "-b", "192", (dir / "source.wav").string(),
                          (dir / "layer3.mp3").string()})
                  .exitCode,
              0);
    const ProgramRun twolame = runProgram(
        {"twolame", "--quiet", (dir / "source.wav").string(), (dir / "layer2.mp2").string()});
    ASSERT_EQ(twolame.exitCode, 0) << "twolame makes the Layer II input: " << twolame.output;
    for (const char* input : {"layer3.mp3", "layer2.mp2"}) {
        SCOPED_TRACE(input);
        const Strings options{"--cbr", "-b", "128", "-q", "2"};
        ASSERT_EQ(lameBin(options, dir / input, dir / "ours.mp3").exitCode, 0);
        ASSERT_EQ(lameProgram(options, dir / input, dir / "theirs.mp3").exitCode, 0);
        for (const char* name : {"ours", "theirs"})
            ASSERT_EQ(runProgram({"lame", "--quiet", "--decode", (dir / name).string() + ".mp3",
                                  (dir / name).string() + ".wav"})
                          .exitCode,
                      0);
        const Wave ours = readWave(dir / "ours.wav");
        const Wave theirs = readWave(dir / "theirs.wav");
        ASSERT_EQ(ours.frames(), theirs.frames());
        std::vector<std::int16_t> difference(ours.samples.size());
        for (std::size_t i = 0; i < ours.samples.size(); ++i)
            difference[i] = static_cast<std::int16_t>(ours.samples[i] - theirs.samples[i]);
        EXPECT_LT(rms(difference), 0.1 * rms(theirs.samples));
        EXPECT_GT(rms(ours.samples), 0.5 * rms(source.samples));
    }
}

// --- tags, read back by an independent reader
// ------------------------------------------------------

TEST_F(LibraryEncoding, TagsReadBackByMutagenAsTyped) {
    writeWave(dir / "in.wav", musicLikeWave(1, 2, 44100, 6));
    const std::string title = "Über \"Käse\" 日本 ♫ 🎵 C:\\dir\\";
    // The window's genre names; ID3v2 gets LAME's name of the genre, ID3v1 its number, or
    // "Other" (12) for a name LAME's table lacks, which lame.bin notes.
    struct Genre {
        std::string typed;
        std::string v2;
        int v1;
    };
    for (const auto& [genre, v2Genre, v1Genre] :
         std::vector<Genre>{{"Alt. Rock", "Alternative Rock", 40},
                            {"Christian Gangsta Rap", "Christian Gangsta Rap", 12},
                            {"Rock & Roll", "Rock & Roll", 78}}) {
        SCOPED_TRACE(genre);
        const ProgramRun run =
            lameBin({"--tt", title, "--ta", "Ärtist", "--tl", "Album", "--ty", "2024", "--tc",
                     "Ünïcode comment", "--tn", "7", "--tg", genre},
                    dir / "in.wav", dir / "tagged.mp3");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.output.find("is not in LAME's table of ID3v1 genres") != std::string::npos,
                  v1Genre == 12)
            << run.output;
        const char* script = R"(import sys
from mutagen.id3 import ID3, ParseID3v1
tag = ID3(sys.argv[1])
for key in ('TIT2', 'TPE1', 'TALB', 'TRCK', 'TCON'):
    print(key + '=' + str(tag[key].text[0]))
print('COMM=' + str(tag.getall('COMM')[0].text[0]))
data = open(sys.argv[1], 'rb').read()
print('v1title=' + data[-125:-95].rstrip(b'\0').decode('latin-1'))
print('v1genre=' + str(data[-1]))
)";
        const ProgramRun read =
            runProgram({"/usr/bin/python3", "-c", script, (dir / "tagged.mp3").string()});
        ASSERT_EQ(read.exitCode, 0) << read.output;
        EXPECT_EQ(read.output,
                  "TIT2=" + title + "\nTPE1=Ärtist\nTALB=Album\nTRCK=7\nTCON=" + v2Genre +
                      "\nCOMM=Ünïcode comment\nv1title=Über \"Käse\" ?? ? ? C:\\dir\\\n"
                      "v1genre=" +
                      std::to_string(v1Genre) + "\n");
    }
}

// --- the Windows build: the same bytes under wine ---------------------------------------------

// Switches only lame.bin hands to the library, some with a value.
const std::vector<Strings> kLibraryOnlySwitches{
    {"--noath"},   {"--athtype", "2"}, {"--athonly"}, {"--athshort"}, {"--athlower", "6"},
    {"--noshort"}, {"--allshort"},     {"--notemp"},  {"-X", "3"},    {"-d"}};

// LAME names the word size of the build that encoded in the ID3v2 tag ("LAME 32bits version
// 3.100 ..."): the 32-bit Windows build's tag says 32 where the Linux build's says 64.
std::string asA64BitBuildTagsIt(std::string mp3) {
    const std::string word = "LAME 32bits";
    const std::size_t at = mp3.find(word);
    if (mp3.compare(0, 3, "ID3") == 0 && at != std::string::npos && at < 64)
        mp3.replace(at, word.size(), "LAME 64bits");
    return mp3;
}

// The Windows lame.bin run under wine, from scripts/windows-test, which names both.
class WindowsBuild : public LibraryEncoding {
protected:
    void SetUp() override {
        const char* windows = std::getenv("QUENDRA_WINDOWS_LAMEBIN");
        wine_ = std::getenv("QUENDRA_WINE");
        if (!windows || !wine_)
            GTEST_SKIP() << "QUENDRA_WINDOWS_LAMEBIN and QUENDRA_WINE name the Windows lame.bin "
                            "and wine; scripts/windows-test sets them";
        // wine's loader takes a program not named .exe for a document now and then, and hands it
        // to the shell, which finds no program for it.
        fs::copy_file(windows, dir / "lame.exe");
    }
    ProgramRun onWindows(const Strings& options, const fs::path& input, const fs::path& output) {
        return runProgram(joined(joined({wine_, (dir / "lame.exe").string()}, options),
                                 {"Z:" + input.string(), "Z:" + output.string()}));
    }
    const char* wine_ = nullptr;
};

// The RMS of a difference of decoded sound against the sound; measured: at most 0.0142 (-37 dB),
// the 64-bit build on the random option sets below, and 0.0085 on Layer III input.
constexpr double kMpegBound = 0.02;

// The RMS of the difference of two decoded MP3 files against the sound of the first; -1 when
// their lengths differ.
double decodedDifference(const fs::path& first, const fs::path& second) {
    for (const fs::path& mp3 : {first, second})
        if (runProgram({"lame", "--quiet", "--decode", mp3.string(), mp3.string() + ".wav"})
                .exitCode != 0)
            return -1;
    const Wave a = readWave(first.string() + ".wav");
    const Wave b = readWave(second.string() + ".wav");
    if (a.frames() != b.frames())
        return -1;
    std::vector<std::int16_t> difference(a.samples.size());
    for (std::size_t i = 0; i < a.samples.size(); ++i)
        difference[i] = static_cast<std::int16_t>(a.samples[i] - b.samples[i]);
    return rms(difference) / rms(a.samples);
}

// Random option sets of the window on WAV and AIFF input. The 32-bit build, the one that ships,
// gives the same bytes; the 64-bit build's C runtime computes some of LAME's VBR steps slightly
// otherwise, so for it the same length and sound are asked.
TEST_F(WindowsBuild, SameMp3ForRandomWindowOptions) {
    const char* sameBytesAsked = std::getenv("QUENDRA_WINDOWS_SAME_BYTES");
    const bool sameBytes = sameBytesAsked && *sameBytesAsked;
    std::mt19937 random(23);
    writeWave(dir / "stereo.wav", musicLikeWave(1.3, 2, 44100, 5));
    writeAiff(dir / "stereo.aif", musicLikeWave(1.2, 2, 48000, 6));
    int differing = 0;
    double largest = 0;
    for (const char* input : {"stereo.wav", "stereo.aif"})
        for (int k = 0; k < 12; ++k) {
            Strings options = windowOptions(random);
            if (chance(random, 50))
                options = joined(pick(random, kLibraryOnlySwitches), options);
            std::string shown;
            for (const std::string& option : options)
                shown += " [" + option + "]";
            SCOPED_TRACE(std::string(input) + ":" + shown);
            const ProgramRun linux = lameBin(options, dir / input, dir / "linux.mp3");
            const ProgramRun win = onWindows(options, dir / input, dir / "windows.mp3");
            ASSERT_EQ(linux.exitCode, 0) << linux.output;
            ASSERT_EQ(win.exitCode, 0) << win.output;
            const bool same =
                readFile(dir / "linux.mp3") == asA64BitBuildTagsIt(readFile(dir / "windows.mp3"));
            if (sameBytes) {
                EXPECT_TRUE(same);
                continue;
            }
            differing += same ? 0 : 1;
            const double share = decodedDifference(dir / "linux.mp3", dir / "windows.mp3");
            EXPECT_GE(share, 0) << "the decoded lengths differ";
            EXPECT_LT(share, kMpegBound);
            largest = std::max(largest, share);
        }
    if (!sameBytes)
        std::printf("%d of 24 MP3 files differ in their bytes; the difference's RMS is at most "
                    "%.5f of the sound's\n",
                    differing, largest);
}

// The 32-bit build decodes MPEG input with mpg123's SSE decoder, Linux with its AVX one: the
// MP3 made of it may differ, its sound may not.
TEST_F(WindowsBuild, MpegInputGivesTheLinuxBuildsLengthAndSound) {
    writeWave(dir / "source.wav", musicLikeWave(2, 2, 44100, 7));
    ASSERT_EQ(runProgram({"lame", "--quiet", "-b", "192", (dir / "source.wav").string(),
                          (dir / "layer3.mp3").string()})
                  .exitCode,
              0);
    ASSERT_EQ(runProgram({"twolame", "--quiet", (dir / "source.wav").string(),
                          (dir / "layer2.mp2").string()})
                  .exitCode,
              0);
    for (const char* input : {"layer3.mp3", "layer2.mp2"}) {
        SCOPED_TRACE(input);
        const Strings options{"-V", "2", "-q", "2"};
        ASSERT_EQ(lameBin(options, dir / input, dir / "linux.mp3").exitCode, 0);
        const ProgramRun win = onWindows(options, dir / input, dir / "windows.mp3");
        ASSERT_EQ(win.exitCode, 0) << win.output;
        const double share = decodedDifference(dir / "linux.mp3", dir / "windows.mp3");
        std::printf("%s: the difference's RMS is %.5f of the sound's\n", input, share);
        ASSERT_GE(share, 0) << "the decoded lengths differ";
        EXPECT_LT(share, kMpegBound);
    }
}

} // namespace
