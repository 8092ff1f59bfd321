#include "TestSupport.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace launchtest {

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "quendra-launch-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = fs::canonical(pattern);
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

CurrentDirectory::CurrentDirectory(const fs::path& directory) : previous_(fs::current_path()) {
    fs::current_path(directory);
}

CurrentDirectory::~CurrentDirectory() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

EnvironmentVariable::EnvironmentVariable(const char* name, const char* value) : name_(name) {
    const char* previous = std::getenv(name);
    had_ = previous != nullptr;
    if (had_)
        previous_ = previous;
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

EnvironmentVariable::~EnvironmentVariable() {
    if (had_)
        setenv(name_.c_str(), previous_.c_str(), 1);
    else
        unsetenv(name_.c_str());
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::seconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void setMode(const fs::path& path, fs::perms permissions) {
    fs::permissions(path, permissions, fs::perm_options::replace);
}

std::vector<fs::path> filesStartingWith(const fs::path& directory, const std::string& prefix) {
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) == 0)
            found.push_back(entry.path());
    }
    return found;
}

std::vector<std::string> namesIn(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool processMentions(const std::string& text) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        if (readFile(entry.path() / "cmdline").find(text) != std::string::npos)
            return true;
    }
    return false;
}

bool hasNoChildren() {
    int status = 0;
    return waitpid(-1, &status, WNOHANG) < 0 && errno == ECHILD;
}

ProgramRun runProgram(const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment, std::chrono::seconds bound) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string current = *entry;
        const std::string name = current.substr(0, current.find('='));
        bool replaced = false;
        for (const std::string& change : environment)
            replaced = replaced || change.substr(0, change.find('=')) == name;
        if (!replaced)
            env.push_back(current);
    }
    env.insert(env.end(), environment.begin(), environment.end());

    std::vector<std::string> storage = arguments;
    std::vector<char*> argv;
    for (std::string& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, output[1], 2);
    // A process group of its own, so that a program that runs away (one that keeps starting
    // itself) can be ended with everything it started.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const bool onPath = arguments.front().find('/') == std::string::npos;
    const int spawned =
        onPath ? posix_spawnp(&child, argv[0], &actions, &attributes, argv.data(), envp.data())
               : posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);

    ProgramRun run;
    if (spawned != 0) {
        close(output[0]);
        run.output = std::strerror(spawned);
        return run;
    }
    const auto end = std::chrono::steady_clock::now() + bound;
    char buffer[4096];
    for (;;) {
        pollfd ready{output[0], POLLIN, 0};
        const int polled = poll(&ready, 1, 100);
        if (polled > 0) {
            const ssize_t got = read(output[0], buffer, sizeof buffer);
            if (got > 0)
                run.output.append(buffer, static_cast<std::size_t>(got));
            else if (got == 0 || errno != EINTR)
                break;
        } else if (std::chrono::steady_clock::now() > end) {
            kill(-child, SIGKILL);
            run.endedInTime = false;
            break;
        }
    }
    close(output[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (run.endedInTime)
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

Wave sineWave(double frequency, double seconds, double amplitude, int sampleRate) {
    Wave wave;
    wave.sampleRate = sampleRate;
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    const double pi = std::acos(-1.0);
    for (std::size_t i = 0; i < frames; ++i) {
        const auto value = static_cast<std::int16_t>(
            std::lround(amplitude * 32767.0 * std::sin(2 * pi * frequency * i / sampleRate)));
        wave.samples.push_back(value);
        wave.samples.push_back(value);
    }
    return wave;
}

namespace {

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}

void put32(std::string& out, unsigned long value) {
    put16(out, static_cast<unsigned>(value & 0xffff));
    put16(out, static_cast<unsigned>((value >> 16) & 0xffff));
}

unsigned long get(const std::string& bytes, std::size_t at, int size) {
    unsigned long value = 0;
    for (int i = size - 1; i >= 0; --i)
        value =
            (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    return value;
}

} // namespace

Wave musicLikeWave(double seconds, int channels, int sampleRate, unsigned seed) {
    Wave wave;
    wave.channels = channels;
    wave.sampleRate = sampleRate;
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    const double pi = 3.14159265358979;
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    for (std::size_t i = 0; i < frames; ++i) {
        const double t = double(i) / sampleRate;
        const double beat = std::exp(-8.0 * std::fmod(t, 0.5));
        const double click = std::fmod(t, 0.37) < 0.003 ? 0.5 * noise(random) : 0.0;
        const double tone = 0.3 * std::sin(2 * pi * (220 + 40 * std::sin(t / 3)) * t) +
                            0.2 * std::sin(2 * pi * 1375 * t) * beat + click;
        for (int channel = 0; channel < channels; ++channel) {
            const double v = tone * (channel ? 0.8 : 1.0) + 0.05 * noise(random) +
                             (channel ? 0.05 * std::sin(2 * pi * 6000 * t) : 0.0);
            wave.samples.push_back(
                static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32000)));
        }
    }
    return wave;
}

void writeAiff(const fs::path& path, const Wave& wave) {
    auto be = [](std::string& out, unsigned long value, int bytes) {
        for (int i = bytes - 1; i >= 0; --i)
            out += static_cast<char>((value >> (8 * i)) & 0xff);
    };
    const unsigned long dataSize = wave.samples.size() * 2;
    std::string out = "FORM";
    be(out, 4 + 26 + 16 + dataSize, 4);
    out += "AIFFCOMM";
    be(out, 18, 4);
    be(out, static_cast<unsigned long>(wave.channels), 2);
    be(out, wave.frames(), 4);
    be(out, 16, 2);
    // The sampling frequency as an 80-bit extended float: exponent, then a 64-bit mantissa.
    int exponent = 0;
    unsigned long rate = static_cast<unsigned long>(wave.sampleRate);
    while ((rate << exponent) < 0x80000000UL)
        ++exponent;
    be(out, static_cast<unsigned long>(16383 + 31 - exponent), 2);
    be(out, rate << exponent, 4);
    be(out, 0, 4);
    out += "SSND";
    be(out, 8 + dataSize, 4);
    be(out, 0, 8);
    for (const std::int16_t sample : wave.samples)
        be(out, static_cast<std::uint16_t>(sample), 2);
    writeFile(path, out);
}

void writeWave(const fs::path& path, const Wave& wave) {
    const unsigned long dataSize = wave.samples.size() * 2;
    std::string out = "RIFF";
    put32(out, 36 + dataSize);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, static_cast<unsigned>(wave.channels));
    put32(out, static_cast<unsigned long>(wave.sampleRate));
    put32(out, static_cast<unsigned long>(wave.sampleRate * wave.channels * 2));
    put16(out, static_cast<unsigned>(wave.channels * 2));
    put16(out, 16);
    out += "data";
    put32(out, dataSize);
    for (const std::int16_t sample : wave.samples)
        put16(out, static_cast<std::uint16_t>(sample));
    writeFile(path, out);
}

Wave readWave(const fs::path& path) {
    const std::string bytes = readFile(path);
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
        throw std::runtime_error(path.string() + " is not a WAV file");
    Wave wave;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        std::size_t size = get(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (id == "fmt ") {
            if (get(bytes, body, 2) != 1 || get(bytes, body + 14, 2) != 16)
                throw std::runtime_error(path.string() + " is not 16-bit PCM");
            wave.channels = static_cast<int>(get(bytes, body + 2, 2));
            wave.sampleRate = static_cast<int>(get(bytes, body + 4, 4));
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                throw std::runtime_error(path.string() + " has data before its format");
            size = std::min(size, bytes.size() - body);
            for (std::size_t i = 0; i + 1 < size; i += 2)
                wave.samples.push_back(static_cast<std::int16_t>(get(bytes, body + i, 2)));
            return wave;
        }
        at = body + size + (size & 1);
    }
    throw std::runtime_error(path.string() + " has no data chunk");
}

double rms(const std::vector<std::int16_t>& samples) {
    if (samples.empty())
        return 0;
    double sum = 0;
    for (const std::int16_t sample : samples)
        sum += static_cast<double>(sample) * sample;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

int mp3FrameChain(const std::string& bytes) {
    std::size_t at = 0;
    if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        const std::size_t size = (get(bytes, 6, 1) << 21) | (get(bytes, 7, 1) << 14) |
                                 (get(bytes, 8, 1) << 7) | get(bytes, 9, 1);
        at = 10 + size;
    }
    std::size_t end = bytes.size();
    if (end >= 128 && bytes.compare(end - 128, 3, "TAG") == 0)
        end -= 128;

    static const int kBitrates[] = {0,   32,  40,  48,  56,  64,  80, 96,
                                    112, 128, 160, 192, 224, 256, 320};
    static const int kRates[] = {44100, 48000, 32000};
    int frames = 0;
    while (at < end) {
        if (at + 4 > end)
            return 0;
        const auto b1 = static_cast<unsigned char>(bytes[at + 1]);
        const auto b2 = static_cast<unsigned char>(bytes[at + 2]);
        const bool sync = static_cast<unsigned char>(bytes[at]) == 0xff && (b1 & 0xe0) == 0xe0;
        const bool mpeg1LayerIII = (b1 & 0x18) == 0x18 && (b1 & 0x06) == 0x02;
        const int bitrateIndex = b2 >> 4;
        const int rateIndex = (b2 >> 2) & 3;
        if (!sync || !mpeg1LayerIII || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
            return 0;
        const std::size_t length = static_cast<std::size_t>(
            144 * kBitrates[bitrateIndex] * 1000 / kRates[rateIndex] + ((b2 >> 1) & 1));
        at += length;
        ++frames;
    }
    return at == end ? frames : 0;
}

} // namespace launchtest
