#include "LaunchPlan.h"

namespace quendra {

std::string consoleTitle(const std::vector<std::string>& arguments) {
    const std::string encoder = arguments.empty() ? std::string("lame.bin") : arguments.front();
    if (arguments.size() < 2)
        return encoder;
    const std::string& output = arguments.back();
    const std::size_t slash = output.rfind('/');
    const std::string file = slash == std::string::npos ? output : output.substr(slash + 1);
    return file.empty() ? encoder : encoder + " - " + file;
}

bool displayAvailable(const char* display, const char* waylandDisplay) {
    return (display && *display) || (waylandDisplay && *waylandDisplay);
}

bool plainPath(std::string_view path) {
    if (path.empty() || path.front() != '/')
        return false;
    for (const char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-' || c == '/';
        if (!plain)
            return false;
    }
    return true;
}

ProgramCall terminalCall(const std::string& terminal, const std::string& starter,
                         const std::string& request) {
    const std::size_t slash = terminal.rfind('/');
    return {terminal,
            {slash == std::string::npos ? terminal : terminal.substr(slash + 1), "-e", starter,
             request}};
}

TryVerdict judgeTry(const TrySight& sight) {
    if (sight.report)
        return *sight.report == 0 ? TryVerdict::Started : TryVerdict::Failed;
    if (sight.claimed)
        return sight.starterLives ? TryVerdict::Wait : TryVerdict::Unconfirmed;
    return sight.terminalGone || sight.timeUp ? TryVerdict::GiveWay : TryVerdict::Wait;
}

} // namespace quendra
