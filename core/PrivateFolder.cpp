#include "PrivateFolder.h"

#include "LaunchPlan.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace quendra {

namespace {

constexpr char kFolderName[] = "quendra-orvo";

bool ownedHere(const struct stat& info) {
    return info.st_uid == geteuid();
}

bool rootsOrOwn(const struct stat& info) {
    return info.st_uid == 0 || ownedHere(info);
}

// A group of the person's own (Debian's user private groups: named after the person, with no
// other member), whose write bit the umask 0002 of Debian 13's users sets on every folder made.
bool groupIsThePersons(gid_t gid) {
    if (gid != getegid())
        return false;
    const passwd* user = getpwuid(geteuid());
    if (!user || !user->pw_name)
        return false;
    const std::string name = user->pw_name;
    const group* entry = getgrgid(gid);
    if (!entry || !entry->gr_name || name != entry->gr_name)
        return false;
    for (char** member = entry->gr_mem; member && *member; ++member)
        if (name != *member)
            return false;
    return true;
}

bool othersMayWrite(const struct stat& info) {
    return (info.st_mode & S_IWOTH) != 0 ||
           ((info.st_mode & S_IWGRP) != 0 && !groupIsThePersons(info.st_gid));
}

bool folderAt(const std::string& path, struct stat& info) {
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The real path of an absolute path; empty where it is none.
std::string realFolder(const std::string& path) {
    char real[PATH_MAX];
    if (path.empty() || path.front() != '/' || !realpath(path.c_str(), real))
        return {};
    return real;
}

// The real path of a folder, made (closed to others) where it is missing.
std::string madeFolder(const std::string& path) {
    if (path.empty() || (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST))
        return {};
    return realFolder(path);
}

std::string cacheFolder() {
    // A relative XDG_CACHE_HOME is to be ignored.
    if (std::string cache = environment("XDG_CACHE_HOME"); !cache.empty() && cache.front() == '/')
        return cache;
    std::string home = environment("HOME");
    if (home.empty())
        if (const passwd* entry = getpwuid(geteuid()))
            home = entry->pw_dir ? entry->pw_dir : "";
    return home.empty() ? std::string() : home + "/.cache";
}

// The program's folder in the base, made where it is missing; empty where it is not private on
// a plain path.
std::string ownFolderIn(const std::string& base) {
    if (base.empty())
        return {};
    std::string folder = madeFolder(base + "/" + kFolderName);
    return plainPath(folder) && isPrivateFolder(folder) ? folder : std::string();
}

} // namespace

bool isPrivateFolder(const std::string& folder) {
    struct stat info = {};
    if (folder.size() < 2 || folder.front() != '/' || !folderAt(folder, info) || !ownedHere(info) ||
        (info.st_mode & 077) != 0)
        return false;
    std::string above = parentOf(folder);
    if (!folderAt(above, info) || !rootsOrOwn(info) || othersMayWrite(info))
        return false;
    while (above != "/") {
        above = parentOf(above);
        if (!folderAt(above, info) || !rootsOrOwn(info) ||
            (othersMayWrite(info) && (info.st_mode & S_ISVTX) == 0))
            return false;
    }
    return true;
}

bool isPrivateFile(const struct stat& file) {
    return S_ISREG(file.st_mode) && ownedHere(file) && (file.st_mode & 077) == 0;
}

std::string programPrivateFolder() {
    // The session's runtime folder is the session's to make; the cache folder is made only where
    // it is needed.
    std::string folder = ownFolderIn(realFolder(environment("XDG_RUNTIME_DIR")));
    return folder.empty() ? ownFolderIn(madeFolder(cacheFolder())) : folder;
}

} // namespace quendra
