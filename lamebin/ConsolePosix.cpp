#include "Console.h"

#include "TerminalText.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace lamebin {

void prepareConsole() {
    // The front-end's text is UTF-8 whatever the session's locale; tag text is converted in it.
    std::setlocale(LC_CTYPE, "C.UTF-8");
}

namespace {

// Started by the front-end's starter in a terminal window: the starter has shown the command line
// and keeps the window open after a failure, for any encoder.
bool underStarter() {
    const char* starter = std::getenv("QUENDRA_STARTER");
    return starter && *starter;
}

} // namespace

std::string receivedCommandLine(const std::vector<std::string>& arguments) {
    return underStarter() ? std::string() : shellCommandLine(arguments);
}

bool outputIsTerminal() {
    return isatty(1);
}

void redrawLine(const std::string& line, bool last) {
    std::printf("\r%s\033[K%s", line.c_str(), last ? "\n" : "");
    std::fflush(stdout);
}

// A terminal window started for lame.bin closes when it ends; one it was started from does not,
// but reading Enter there costs nothing.
bool ownsItsWindow() {
    return isatty(0) && !underStarter();
}

void waitForEnter(const char* what) {
    std::fprintf(stderr, "\n%s Press Enter to close this window.\n", what);
    char c = 0;
    for (;;) {
        const ssize_t got = read(0, &c, 1);
        if (got == 0 || (got < 0 && errno != EINTR) || (got == 1 && (c == '\n' || c == '\r')))
            return;
    }
}

} // namespace lamebin
