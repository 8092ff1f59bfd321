#include "TerminalStart.h"

#include "LaunchPlan.h"
#include "PrivateFolder.h"
#include "Spawn.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quendra {

namespace {

bool writeNewFile(const std::string& path, const std::string& content) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t written = write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        done += static_cast<std::size_t>(written);
    }
    return close(fd) == 0 && done == content.size();
}

std::string linkTarget(const std::string& link) {
    std::string buffer(4096, '\0');
    const ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
    return length > 0 ? buffer.substr(0, static_cast<std::size_t>(length)) : std::string();
}

// The starter's link in the private folder, named after where the starter is (FNV-1a), so that
// programs in different places keep links of their own. It is never removed: a terminal that
// comes late still finds the starter, which tells it that the press was handled.
std::string starterLink(const std::string& privateFolder, const std::string& starter,
                        const std::string& spare) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : starter)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    char name[40];
    std::snprintf(name, sizeof name, "/%s.%016llx", kStarterName,
                  static_cast<unsigned long long>(hash));
    const std::string link = privateFolder + name;
    if (linkTarget(link) == starter)
        return link;
    // Made beside and renamed over, so that no terminal ever meets a missing or half-made link.
    if (symlink(starter.c_str(), spare.c_str()) != 0 || rename(spare.c_str(), link.c_str()) != 0)
        return {};
    return link;
}

constexpr char kPressPrefix[] = "press.";

// A press's folder is held by the window that made it for as long as the press is followed: the
// lock on its "lock" file, which appears only once locked.
int lockedPressFolder(const std::string& folder) {
    const std::string lock = folder + "/lock";
    const std::string partial = lock + ".partial";
    const int fd = open(partial.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || rename(partial.c_str(), lock.c_str()) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Removes the presses' folders that no window holds any more: those of a window that was ended
// while its press was pending, with the request and every word in it.
void removeAbandonedPresses(const std::string& privateFolder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(privateFolder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, sizeof kPressPrefix - 1, kPressPrefix) != 0)
            continue;
        const std::string folder = entry.path().string();
        const int fd =
            open((folder + "/lock").c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue; // being made, or not a press's folder of this kind
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            std::filesystem::remove_all(folder, error);
        close(fd);
    }
}

} // namespace

TerminalStart::TerminalStart(EncoderRequest request, std::vector<std::string> terminals,
                             std::string starter, TerminalTimes times,
                             std::vector<std::string> searched)
    : request_(std::move(request)), terminals_(std::move(terminals)), starter_(std::move(starter)),
      times_(times), searched_(std::move(searched)) {}

TerminalStart::~TerminalStart() {
    closeWatch();
    std::error_code ignored;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, ignored);
    if (lockFd_ >= 0)
        close(lockFd_);
}

bool TerminalStart::begin() {
    const std::string base = programPrivateFolder();
    if (base.empty())
        return false;
    removeAbandonedPresses(base);
    std::string folder = base + "/" + kPressPrefix + "XXXXXX";
    if (!mkdtemp(folder.data()))
        return false;
    folder_ = folder;
    lockFd_ = lockedPressFolder(folder_);
    if (lockFd_ < 0)
        return false;
    reachStarter_ = starterLink(base, starter_, folder_ + "/starter");
    return !reachStarter_.empty() && startNextTerminal();
}

std::optional<LaunchResult> TerminalStart::follow() {
    for (;;) {
        readWatch();
        TrySight sight;
        sight.claimed = claimed_;
        // Looked at before the report: a starter that ended wrote its report first.
        sight.starterLives = claimed_ && starterLives();
        sight.report = readStarterReport();
        sight.terminalGone = terminalGone_;
        sight.timeUp = Clock::now() >= deadline_;
        switch (judgeTry(sight)) {
        case TryVerdict::Wait:
            return std::nullopt;
        case TryVerdict::Started: {
            LaunchResult result;
            result.started = true;
            result.searched = searched_;
            return result;
        }
        case TryVerdict::Failed:
            return failure("The encoder \"" + request_.encoder +
                           "\" could not be started: " + errorText(*sight.report));
        case TryVerdict::Unconfirmed:
            return failure("The terminal window took the start of the encoder but ended without "
                           "confirming that it runs.");
        case TryVerdict::GiveWay:
            if (const int error = withdraw(); error == EEXIST) {
                claimed_ = true; // the starter took it first: it decides
                continue;
            } else if (error != 0) {
                // Neither withdrawn nor taken: another way might run a second encoder.
                closeWatch();
                return failure("The start of the encoder could not be withdrawn from the "
                               "terminal window: " +
                               errorText(error));
            }
            closeWatch();
            if (startNextTerminal())
                return std::nullopt;
            return withoutTerminal(request_, searched_);
        }
    }
}

bool TerminalStart::startNextTerminal() {
    while (next_ < terminals_.size()) {
        const std::string& terminal = terminals_[next_++];
        requestFile_ = requestPath(folder_, ++attempt_);
        if (!writeNewFile(requestFile_, requestText(request_)))
            return false;
        const PreparedCall call(terminalCall(terminal, reachStarter_, requestFile_));
        const Spawned spawned = spawn(call, times_.claim);
        if (spawned.reportFd < 0) {
            unlink(requestFile_.c_str());
            continue;
        }
        fcntl(spawned.reportFd, F_SETFL, O_NONBLOCK);
        watchFd_ = spawned.reportFd;
        terminalGone_ = !spawned.firstOk;
        claimed_ = false;
        deadline_ = Clock::now() + times_.claim;
        return true;
    }
    return false;
}

// What the watcher said of the terminal so far.
void TerminalStart::readWatch() {
    while (watchFd_ >= 0) {
        ChildReport report{};
        const ssize_t got = readReport(watchFd_, report);
        if (got < 0)
            return; // nothing yet
        if (got == static_cast<ssize_t>(sizeof report)) {
            const bool success = report.stage == ChildReport::Ended && WIFEXITED(report.value) &&
                                 WEXITSTATUS(report.value) == 0;
            terminalGone_ = terminalGone_ || !success;
            continue;
        }
        closeWatch(); // the watcher is done
    }
}

// 0 once withdrawn; EEXIST where the starter took it first; else why it could not be.
int TerminalStart::withdraw() const {
    if (unlink(requestFile_.c_str()) == 0)
        return 0;
    const int error = errno;
    struct stat info = {};
    return error == ENOENT && lstat(claimedPath(requestFile_).c_str(), &info) == 0 ? EEXIST : error;
}

// Read without following a link or waiting on anything but a plain file of the person's.
std::optional<int> TerminalStart::readStarterReport() const {
    const int fd =
        open(reportPath(requestFile_).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    char text[kReportLimit + 1];
    struct stat info = {};
    ssize_t got = -1;
    if (fstat(fd, &info) == 0 && isPrivateFile(info))
        while ((got = read(fd, text, sizeof text)) < 0 && errno == EINTR) {
        }
    close(fd);
    if (got <= 0)
        return std::nullopt;
    return parseReport(std::string_view(text, static_cast<std::size_t>(got)));
}

// The starter holds a lock on the request from before it takes it to its own end.
bool TerminalStart::starterLives() const {
    const int fd =
        open(claimedPath(requestFile_).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    close(fd);
    return locked;
}

LaunchResult TerminalStart::failure(std::string reason) const {
    LaunchResult result;
    result.reason = std::move(reason);
    result.searched = searched_;
    return result;
}

void TerminalStart::closeWatch() {
    if (watchFd_ >= 0)
        close(watchFd_);
    watchFd_ = -1;
}

} // namespace quendra
