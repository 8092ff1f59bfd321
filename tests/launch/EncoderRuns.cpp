#include "EncoderRuns.h"

#include "CommandBuilder.h"
#include "EventWiring.h"
#include "PosixEncoderLauncher.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace launchtest {

namespace {

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\0'))
        text.pop_back();
    return text;
}

// The processes whose parent is this one, from /proc.
std::vector<pid_t> ownChildren() {
    std::vector<pid_t> children;
    const std::string self = std::to_string(getpid());
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        // "pid (comm) state ppid ...": the name may hold blanks and parentheses.
        const std::string stat = readFile(entry.path() / "stat");
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        std::size_t at = stat.find(' ', close + 2); // after the state
        if (at == std::string::npos)
            continue;
        const std::string parent = stat.substr(at + 1, stat.find(' ', at + 1) - at - 1);
        if (parent == self)
            children.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return children;
}

} // namespace

AdoptedEncoders::AdoptedEncoders() {
    if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0)
        throw std::runtime_error("cannot become the reaper of orphaned encoders");
}

AdoptedEncoders::~AdoptedEncoders() {
    killRunning();
    waitUntil(
        [&] {
            reapEnded();
            return unreaped().empty();
        },
        std::chrono::seconds(10));
    prctl(PR_SET_CHILD_SUBREAPER, 0);
}

void AdoptedEncoders::reapEnded() {
    for (;;) {
        siginfo_t info{};
        // Looked at before it is reaped: a zombie's name can still be read.
        if (waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == 0)
            return;
        End end;
        end.pid = info.si_pid;
        end.name = trimmed(readFile("/proc/" + std::to_string(end.pid) + "/comm"));
        int status = 0;
        if (waitpid(end.pid, &status, 0) != end.pid)
            return;
        end.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        ends_.push_back(std::move(end));
    }
}

std::vector<pid_t> AdoptedEncoders::unreaped() const {
    return ownChildren();
}

void AdoptedEncoders::killRunning() {
    for (const pid_t child : ownChildren()) {
        // The launcher gives each encoder a session and process group of its own; LAME runs in
        // the encoder's group.
        const pid_t group = getpgid(child);
        if (group > 0 && group != getpgrp())
            kill(-group, SIGKILL);
        kill(child, SIGKILL);
    }
}

bool AdoptedEncoders::waitForEnds(std::size_t count, std::chrono::seconds bound) {
    const bool ended = waitUntil(
        [&] {
            reapEnded();
            return ends_.size() >= count;
        },
        bound);
    if (!ended)
        killRunning();
    return ended;
}

OutputToFile::OutputToFile(const fs::path& file) {
    std::fflush(nullptr);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("cannot open " + file.string());
    savedOut_ = dup(1);
    savedErr_ = dup(2);
    dup2(fd, 1);
    dup2(fd, 2);
    ::close(fd);
}

OutputToFile::~OutputToFile() {
    std::fflush(nullptr);
    dup2(savedOut_, 1);
    dup2(savedErr_, 2);
    ::close(savedOut_);
    ::close(savedErr_);
}

EncoderRun runEncoding(quendra::FormModel& model, const std::string& input,
                       const std::string& output, const fs::path& programDir,
                       const fs::path& logFile, AdoptedEncoders& encoders) {
    quendra::EventWiring wiring(model);
    wiring.textChanged("Edit01", input);
    wiring.textChanged("Edit02", output);
    EncoderRun run;
    run.line = quendra::CommandBuilder::build(model).line;
    const std::size_t before = encoders.ends().size();
    {
        OutputToFile redirect(logFile);
        quendra::PosixEncoderLauncher launcher(programDir.string(), quendra::Console::None);
        run.launch = launcher.launch(quendra::EncoderCommand{run.line});
    }
    if (run.launch.started) {
        run.ended = encoders.waitForEnds(before + 1) && encoders.ends().size() > before;
        if (run.ended)
            run.exitCode = encoders.ends().back().exitCode;
    } else {
        run.ended = true;
    }
    run.output = readFile(logFile);
    return run;
}

fs::path lameBinDirectory() {
    return fs::path(LAMEBIN_PATH).parent_path();
}

std::optional<Wave> decodeMp3(const fs::path& mp3, const fs::path& wav) {
    const ProgramRun run = runProgram({"lame", "--quiet", "--decode", mp3.string(), wav.string()});
    if (run.exitCode != 0)
        return std::nullopt;
    try {
        return readWave(wav);
    } catch (const std::runtime_error&) {
        return std::nullopt;
    }
}

namespace {

void appendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

std::string utf16ToUtf8(const std::string& bytes, bool bigEndian) {
    std::string out;
    std::size_t at = 0;
    if (bytes.size() >= 2) {
        const auto b0 = static_cast<unsigned char>(bytes[0]);
        const auto b1 = static_cast<unsigned char>(bytes[1]);
        if ((b0 == 0xff && b1 == 0xfe) || (b0 == 0xfe && b1 == 0xff)) {
            bigEndian = b0 == 0xfe;
            at = 2;
        }
    }
    auto unit = [&](std::size_t i) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        return static_cast<unsigned long>(hi << 8 | lo);
    };
    for (; at + 1 < bytes.size(); at += 2) {
        unsigned long code = unit(at);
        if (code >= 0xd800 && code < 0xdc00 && at + 3 < bytes.size()) {
            const unsigned long low = unit(at + 2);
            code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
            at += 2;
        }
        appendUtf8(out, code);
    }
    return out;
}

std::string frameText(const std::string& body) {
    if (body.empty())
        return {};
    const std::string text = body.substr(1);
    switch (body[0]) {
    case 0: { // ISO-8859-1
        std::string out;
        for (const char c : text)
            appendUtf8(out, static_cast<unsigned char>(c));
        return trimmed(out);
    }
    case 1:
        return trimmed(utf16ToUtf8(text, false));
    case 2:
        return trimmed(utf16ToUtf8(text, true));
    case 3:
        return trimmed(text);
    default:
        throw std::runtime_error("unknown ID3v2 text encoding");
    }
}

// A comment: encoding, language, a description ended by a terminator, then the text.
std::string commentText(const std::string& body) {
    if (body.size() < 4)
        throw std::runtime_error("short ID3v2 comment frame");
    const char encoding = body[0];
    const bool wide = encoding == 1 || encoding == 2;
    std::size_t at = 4;
    for (;;) {
        if (at + (wide ? 1 : 0) >= body.size())
            throw std::runtime_error("ID3v2 comment without a description terminator");
        if (!wide && body[at] == 0) {
            at += 1;
            break;
        }
        if (wide && body[at] == 0 && body[at + 1] == 0) {
            at += 2;
            break;
        }
        at += wide ? 2 : 1;
    }
    return frameText(std::string(1, encoding) + body.substr(at));
}

unsigned long bigEndian(const std::string& bytes, std::size_t at, int bitsPerByte) {
    unsigned long value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << bitsPerByte) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

} // namespace

std::map<std::string, std::string> id3v2Texts(const std::string& bytes) {
    std::map<std::string, std::string> texts;
    if (bytes.size() < 10 || bytes.compare(0, 3, "ID3") != 0)
        return texts;
    const int version = bytes[3];
    if (version != 3 && version != 4)
        throw std::runtime_error("ID3v2 version " + std::to_string(version));
    if (bytes[5] & 0xc0) // unsynchronisation or an extended header
        throw std::runtime_error("ID3v2 tag with flags this reader does not follow");
    const std::size_t end = 10 + bigEndian(bytes, 6, 7);
    if (end > bytes.size())
        throw std::runtime_error("ID3v2 tag longer than the file");
    std::size_t at = 10;
    while (at + 10 <= end && bytes[at] != 0) {
        const std::string id = bytes.substr(at, 4);
        // Version 2.4 writes frame sizes with 7 bits per byte, like the tag's own size.
        const std::size_t size = bigEndian(bytes, at + 4, version == 4 ? 7 : 8);
        if (at + 10 + size > end)
            throw std::runtime_error("ID3v2 frame " + id + " runs past the tag");
        const std::string body = bytes.substr(at + 10, size);
        if (id == "COMM")
            texts[id] = commentText(body);
        else if (id[0] == 'T')
            texts[id] = frameText(body);
        at += 10 + size;
    }
    return texts;
}

namespace {

std::string readAll(int fd) {
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0)
            content.append(buffer, static_cast<std::size_t>(got));
        else if (got == 0 || errno != EINTR)
            return content;
    }
}

void listTree(int directoryFd, const std::string& prefix,
              std::map<std::string, std::string>& contents) {
    DIR* directory = fdopendir(directoryFd);
    if (!directory) {
        ::close(directoryFd);
        throw std::runtime_error("cannot list " + prefix);
    }
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string relative = prefix.empty() ? name : prefix + "/" + name;
        struct stat info = {};
        if (fstatat(dirfd(directory), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            throw std::runtime_error("cannot look at " + relative);
        if (S_ISDIR(info.st_mode)) {
            contents[relative] = "<dir>";
            const int child =
                openat(dirfd(directory), name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (child < 0)
                throw std::runtime_error("cannot open " + relative);
            listTree(child, relative, contents);
        } else if (S_ISLNK(info.st_mode)) {
            char target[4096];
            const ssize_t length =
                readlinkat(dirfd(directory), name.c_str(), target, sizeof target);
            contents[relative] =
                "<link " +
                std::string(target, static_cast<std::size_t>(std::max<ssize_t>(0, length))) + ">";
        } else {
            const int file = openat(dirfd(directory), name.c_str(), O_RDONLY | O_CLOEXEC);
            if (file < 0)
                throw std::runtime_error("cannot read " + relative);
            contents[relative] = readAll(file);
            ::close(file);
        }
    }
    closedir(directory);
}

} // namespace

std::map<std::string, std::string> treeContents(const fs::path& directory) {
    std::map<std::string, std::string> contents;
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + directory.string());
    listTree(fd, "", contents);
    return contents;
}

} // namespace launchtest
