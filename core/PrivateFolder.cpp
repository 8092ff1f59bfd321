#include "PrivateFolder.h"

#include "LaunchPlan.h"

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <sys/xattr.h>
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

// No other account acts through the group's entries of this number: each is named after the
// person and lists nobody else.
bool groupEntriesAreThePersons(gid_t gid, const std::string& name) {
    bool alone = true;
    setgrent();
    while (const group* entry = getgrent()) {
        if (entry->gr_gid != gid)
            continue;
        alone = alone && entry->gr_name && name == entry->gr_name;
        for (char** member = entry->gr_mem; member && *member; ++member)
            alone = alone && name == *member;
    }
    endgrent();
    return alone;
}

// No other account has the group as its primary group.
bool primaryOfNoOther(gid_t gid) {
    bool none = true;
    setpwent();
    while (const passwd* account = getpwent())
        none = none && (account->pw_gid != gid || account->pw_uid == geteuid());
    endpwent();
    return none;
}

// The person's own private group (Debian's user private groups: named after the person), whose
// write bit the umask 0002 of Debian 13's users sets on every folder made, where no other account
// can act through it: as a member, with it as its primary group, or through another group entry
// of the same number.
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
    return groupEntriesAreThePersons(gid, name) && primaryOfNoOther(gid);
}

// The folder's POSIX ACL as the kernel keeps it: a version (2), then entries of a tag, a
// permission and an id, little-endian. Empty where it has none; nothing where it cannot be read.
std::optional<std::vector<unsigned char>> accessAcl(const std::string& path) {
    constexpr char kAccess[] = "system.posix_acl_access";
    const ssize_t size = lgetxattr(path.c_str(), kAccess, nullptr, 0);
    if (size < 0)
        return errno == ENODATA || errno == ENOTSUP ? std::optional(std::vector<unsigned char>())
                                                    : std::nullopt;
    std::vector<unsigned char> acl(static_cast<std::size_t>(size));
    if (lgetxattr(path.c_str(), kAccess, acl.data(), acl.size()) != size || acl.size() < 4 ||
        (acl.size() - 4) % 8 != 0 || acl[0] != 2 || acl[1] != 0 || acl[2] != 0 || acl[3] != 0)
        return std::nullopt;
    return acl;
}

// Whether the folder's ACL grants the permission (4 read, 2 write, 1 search) to a named account
// other than the person or to a named group not the person's own, through the mask. An ACL that
// cannot be read counts as granting it.
bool aclGrantsOthers(const std::string& path, unsigned permission) {
    enum : unsigned { NamedUser = 0x02, NamedGroup = 0x08, Mask = 0x10 };
    const std::optional<std::vector<unsigned char>> acl = accessAcl(path);
    if (!acl)
        return true;
    const auto field = [&](std::size_t at, std::size_t bytes) {
        std::uint32_t value = 0;
        for (std::size_t i = bytes; i-- > 0;)
            value = (value << 8) | (*acl)[at + i];
        return value;
    };
    std::uint32_t mask = 7;
    for (std::size_t at = 4; at < acl->size(); at += 8)
        if (field(at, 2) == Mask)
            mask = field(at + 2, 2);
    for (std::size_t at = 4; at < acl->size(); at += 8) {
        const std::uint32_t tag = field(at, 2);
        const std::uint32_t id = field(at + 4, 4);
        const bool another = (tag == NamedUser && id != geteuid()) ||
                             (tag == NamedGroup && !groupIsThePersons(static_cast<gid_t>(id)));
        if (another && (field(at + 2, 2) & mask & permission) != 0)
            return true;
    }
    return false;
}

constexpr unsigned kWrite = 2;
constexpr unsigned kSearch = 1;

// Whether an account other than the person and root may write into a folder, or pass through it:
// as others, through a group not the person's own, or through the folder's ACL (whose mask a
// folder with named entries shows as its group bits).
bool othersMay(const std::string& path, const struct stat& info, unsigned permission) {
    const auto others = static_cast<mode_t>(permission);
    return (info.st_mode & others) != 0 ||
           ((info.st_mode & (others << 3)) != 0 && !groupIsThePersons(info.st_gid)) ||
           aclGrantsOthers(path, permission);
}

bool folderAt(const std::string& path, struct stat& info) {
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folders above an absolute path, from the root down to its parent.
std::vector<std::string> foldersAbove(const std::string& path) {
    std::vector<std::string> above{"/"};
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        above.push_back(path.substr(0, slash));
    return above;
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

// The program's folder in the base (a real path), made where it is missing; empty where it is
// not private on a plain path. What is at its place is read as it is: a link there is refused,
// never followed.
std::string ownFolderIn(const std::string& base) {
    if (base.empty())
        return {};
    const std::string folder = base + "/" + kFolderName;
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    return plainPath(folder) && isPrivateFolder(folder) ? folder : std::string();
}

} // namespace

bool isPrivateFolder(const std::string& folder) {
    struct stat info = {};
    if (folder.size() < 2 || folder.front() != '/' || folder.back() == '/' ||
        !folderAt(folder, info) || !ownedHere(info) || (info.st_mode & 077) != 0)
        return false;
    // From the root down: while other accounts can reach a folder, none may write into it (above
    // the parent, unless it is sticky); a folder they cannot pass closes everything below it.
    const std::vector<std::string> above = foldersAbove(folder);
    bool reachable = true;
    for (std::size_t i = 0; i < above.size(); ++i) {
        if (!folderAt(above[i], info) || !rootsOrOwn(info))
            return false;
        const bool parent = i + 1 == above.size();
        if (reachable && othersMay(above[i], info, kWrite) &&
            (parent || (info.st_mode & S_ISVTX) == 0))
            return false;
        reachable = reachable && othersMay(above[i], info, kSearch);
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
