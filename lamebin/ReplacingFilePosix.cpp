#include "ReplacingFile.h"

#include "FileSystem.h"
#include "StopRequests.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lamebin {

namespace {

// The folder and the name of a path; "name" alone is in the current folder.
std::pair<std::string, std::string> split(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// Where a link leads, link after link, as opening it would go; the last may name a file not made
// yet. A path that is no link leads to itself; after more links than the system follows, the
// path reached is still a link.
std::string followLinks(std::string path) {
    for (int link = 0; link < 40; ++link) {
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof target))
            return path;
        const std::string next(target, static_cast<std::size_t>(length));
        path = next[0] == '/' ? next : split(path).first + "/" + next;
    }
    return path;
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
    return "." + name.substr(0, kLongestName - 1 - suffix.size()) + suffix;
}

} // namespace

std::string ReplacingFile::lastErrorText() {
    return std::strerror(errno);
}

void ReplacingFile::closeFolder() {
    if (folder_ >= 0)
        ::close(static_cast<int>(folder_));
    folder_ = -1;
}

std::string ReplacingFile::openStraight(const std::string& path) {
    // A pipe opens once something reads it: a stop request ends the wait.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return "it cannot be opened: " + lastErrorText();
    file_ = fd;
    straight_ = true;
    seekable_ = lseek(fd, 0, SEEK_CUR) >= 0;
    return {};
}

std::string ReplacingFile::create(const std::string& output) {
    const std::string target = followLinks(output);
    auto [folder, name] = split(target);
    if (name.empty())
        return "it names a folder, not a file";
    if (name.size() > kLongestName)
        return "it leads to a name longer than " + std::to_string(kLongestName) + " bytes";
    name_ = name;
    folderName_ = folder;
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return "its folder \"" + folder + "\" cannot be opened: " + lastErrorText();
    folder_ = folderFd;
    struct stat existing = {};
    mode_ = 0666 & ~currentUmask();
    if (fstatat(folderFd, name_.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(existing.st_mode))
            return "its links lead round in a circle";
        if (S_ISDIR(existing.st_mode))
            return "it is a folder";
        if (!S_ISREG(existing.st_mode))
            return openStraight(target);
        if (faccessat(folderFd, name_.c_str(), W_OK, 0) != 0)
            return "the file there cannot be replaced: " + lastErrorText();
        mode_ = existing.st_mode & 07777;
        owner_ = static_cast<int>(existing.st_uid);
        group_ = static_cast<int>(existing.st_gid);
    }
    for (int attempt = 0; attempt < 100 && file_ < 0; ++attempt) {
        temporary_ = temporaryNameFor(name_);
        StopHold hold;
        file_ = openat(folderFd, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (file_ >= 0)
            removeAtStop(folderFd, temporary_);
        else if (errno != EEXIST)
            break;
    }
    if (file_ < 0) {
        const std::string why = lastErrorText();
        temporary_.clear();
        return "no file can be made in \"" + folder + "\": " + why;
    }
    return {};
}

bool ReplacingFile::writeAll(const unsigned char* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(static_cast<int>(file_), bytes + done, size - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            if (put == 0)
                errno = ENOSPC;
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool ReplacingFile::writeAllAt(std::size_t offset, const unsigned char* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = pwrite(static_cast<int>(file_), bytes + done, size - done,
                                   static_cast<off_t>(offset + done));
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
    StopHold hold;
    const int fd = static_cast<int>(file_);
    if (straight_) {
        file_ = -1;
        if (::close(fd) != 0) {
            fail("cannot complete");
            return error_;
        }
        endStopRequests();
        return {};
    }
    if (owner_ >= 0 && geteuid() == 0)
        (void)fchown(fd, static_cast<uid_t>(owner_), static_cast<gid_t>(group_));
    if (fchmod(fd, mode_) != 0 || fsync(fd) != 0) {
        fail("cannot complete");
        return error_;
    }
    const int closed = ::close(fd);
    file_ = -1;
    const int folder = static_cast<int>(folder_);
    if (closed != 0 || renameat(folder, temporary_.c_str(), folder, name_.c_str()) != 0) {
        fail("cannot put in place");
        discard();
        return error_;
    }
    temporary_.clear();
    removeAtStop(-1, {});
    endStopRequests();
    fsync(folder);
    return {};
}

void ReplacingFile::discard() {
    if (file_ >= 0) {
        ::close(static_cast<int>(file_));
        file_ = -1;
    }
    if (!temporary_.empty()) {
        StopHold hold;
        unlinkat(static_cast<int>(folder_), temporary_.c_str(), 0);
        removeAtStop(-1, {});
        temporary_.clear();
    }
}

} // namespace lamebin
