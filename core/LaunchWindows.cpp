#ifdef _WIN32

#include "EncoderLauncher.h"

#include <windows.h>

namespace quendra {

namespace {

class WindowsEncoderLauncher : public EncoderLauncher {
public:
    LaunchResult launch(const EncoderCommand& command) override {
        LaunchResult result;
        const UINT code = WinExec(command.line.c_str(), SW_SHOWNORMAL);
        if (code > 31) {
            result.started = true;
            return result;
        }
        switch (code) {
        case 0:
            result.reason = "The system is out of memory or resources.";
            break;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            result.reason = "The encoder \"lame.bin\" was not found.";
            break;
        case ERROR_BAD_FORMAT:
            result.reason = "\"lame.bin\" is not a valid program.";
            break;
        default:
            result.reason =
                "The encoder could not be started (error " + std::to_string(code) + ").";
            break;
        }
        // The places Windows looks, in its order, for a program named without a path.
        result.searched = {"the program's directory", "the current directory",
                           "the Windows system directory", "the Windows directory",
                           "the directories of PATH"};
        return result;
    }
};

} // namespace

std::unique_ptr<EncoderLauncher> systemEncoderLauncher() {
    return std::make_unique<WindowsEncoderLauncher>();
}

} // namespace quendra

#endif
