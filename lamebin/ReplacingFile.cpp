#include "ReplacingFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quendra {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

// The folder and the name of a path; "name" alone is in the current folder.
std::pair<std::string, std::string> split(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string errnoText() {
    return std::strerror(errno);
}

// The file a link leads to, or the path itself.
std::string followLink(const std::string& path) {
    struct stat status {};
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
        return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

unsigned currentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

std::string temporaryNameFor(const std::string& name) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string suffix = ".partial-";
    for (int i = 0; i < 8; ++i)
        suffix += kLetters[random() % (sizeof kLetters - 1)];
    // A name has at most NAME_MAX bytes.
    return "." + name.substr(0, NAME_MAX - 1 - suffix.size()) + suffix;
}

} // namespace

ReplacingFile::~ReplacingFile() {
    discard();
    if (folder_ >= 0)
        ::close(folder_);
}

std::string ReplacingFile::create(const std::string& output) {
    const std::string target = followLink(output);
    auto [folder, name] = split(target);
    if (name.empty())
        return "it names a folder, not a file";
    name_ = name;
    folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0)
        return "its folder \"" + folder + "\" cannot be opened: " + errnoText();
    struct stat existing {};
    mode_ = 0666 & ~currentUmask();
    if (fstatat(folder_, name_.c_str(), &existing, 0) == 0) {
        if (S_ISDIR(existing.st_mode))
            return "it is a folder";
        if (faccessat(folder_, name_.c_str(), W_OK, 0) != 0)
            return "the file there cannot be replaced: " + errnoText();
        mode_ = existing.st_mode & 07777;
        owner_ = static_cast<int>(existing.st_uid);
        group_ = static_cast<int>(existing.st_gid);
    }
    for (int attempt = 0; attempt < 100 && file_ < 0; ++attempt) {
        temporary_ = temporaryNameFor(name_);
        file_ = openat(folder_, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (file_ < 0 && errno != EEXIST)
            break;
    }
    if (file_ < 0) {
        const std::string why = errnoText();
        temporary_.clear();
        return "no file can be made in \"" + folder + "\": " + why;
    }
    buffer_.reserve(kBufferSize);
    return {};
}

bool ReplacingFile::fail(const std::string& what) {
    error_ = what + " \"" + temporary_ + "\": " + errnoText();
    return false;
}

bool ReplacingFile::flushBuffer() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t put = ::write(file_, buffer_.data() + done, buffer_.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(put);
    }
    buffer_.clear();
    return true;
}

bool ReplacingFile::write(const unsigned char* bytes, std::size_t size) {
    if (file_ < 0)
        return false;
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    written_ += size;
    return buffer_.size() < kBufferSize || flushBuffer();
}

bool ReplacingFile::writeAt(std::size_t offset, const unsigned char* bytes, std::size_t size) {
    if (file_ < 0 || !flushBuffer())
        return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put =
            pwrite(file_, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return fail("cannot write");
        done += static_cast<std::size_t>(put);
    }
    return true;
}

std::string ReplacingFile::commit() {
    if (file_ < 0)
        return error_.empty() ? "nothing to put in place" : error_;
    if (!flushBuffer())
        return error_;
    if (owner_ >= 0 && geteuid() == 0)
        (void)fchown(file_, static_cast<uid_t>(owner_), static_cast<gid_t>(group_));
    if (fchmod(file_, mode_) != 0 || fsync(file_) != 0) {
        fail("cannot complete");
        return error_;
    }
    const int closed = ::close(file_);
    file_ = -1;
    if (closed != 0 || renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) {
        fail("cannot put in place");
        discard();
        return error_;
    }
    temporary_.clear();
    fsync(folder_);
    return {};
}

void ReplacingFile::discard() {
    if (file_ >= 0) {
        ::close(file_);
        file_ = -1;
    }
    if (!temporary_.empty()) {
        unlinkat(folder_, temporary_.c_str(), 0);
        temporary_.clear();
    }
}

} // namespace quendra
