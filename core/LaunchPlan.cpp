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

std::vector<ProgramCall> startOrder(const std::string& encoderPath,
                                    const std::vector<std::string>& arguments,
                                    const std::vector<std::string>& terminals) {
    std::vector<ProgramCall> calls;
    const std::string title = consoleTitle(arguments);
    for (const std::string& terminal : terminals) {
        const std::size_t slash = terminal.rfind('/');
        ProgramCall call{terminal,
                         {slash == std::string::npos ? terminal : terminal.substr(slash + 1), "-T",
                          title, "-e", encoderPath}};
        if (!arguments.empty())
            call.arguments.insert(call.arguments.end(), arguments.begin() + 1, arguments.end());
        calls.push_back(std::move(call));
    }
    calls.push_back(ProgramCall{encoderPath, arguments});
    return calls;
}

} // namespace quendra
