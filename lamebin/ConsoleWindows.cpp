#include "Console.h"

#include "TerminalText.h"
#include "WideText.h"

#include <windows.h>

#include <cstdio>

namespace lamebin {

namespace {

std::size_t drawnLength = 0;

bool isConsole(DWORD which) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

} // namespace

void prepareConsole() {
    SetConsoleOutputCP(CP_UTF8);
    if (ownsItsWindow())
        SetConsoleTitleW(L"lame.bin");
}

// Windows hands a program one line, not arguments; it is shown as it came, its control
// characters as escapes.
std::string receivedCommandLine(const std::vector<std::string>&) {
    return visibleText(utf8Text(GetCommandLineW()));
}

bool outputIsTerminal() {
    return isConsole(STD_OUTPUT_HANDLE);
}

// Spaces, not an escape sequence, wipe the rest of the previous line: every console shows them.
void redrawLine(const std::string& line, bool last) {
    std::string shown = "\r" + line;
    if (line.size() < drawnLength)
        shown.append(drawnLength - line.size(), ' ');
    drawnLength = last ? 0 : line.size();
    std::fputs(shown.c_str(), stdout);
    if (last)
        std::fputs("\n", stdout);
    std::fflush(stdout);
}

// A console that lame.bin alone is attached to was made for it (the window starts it so) and
// closes when it ends; one it shares with the command prompt it was started from stays.
bool ownsItsWindow() {
    DWORD processes[2];
    return isConsole(STD_INPUT_HANDLE) && GetConsoleProcessList(processes, 2) == 1;
}

void waitForEnter(const char* what) {
    std::fprintf(stderr, "\n%s Press Enter to close this window.\n", what);
    for (int c = std::getchar(); c != EOF && c != '\n' && c != '\r'; c = std::getchar()) {
    }
}

} // namespace lamebin
