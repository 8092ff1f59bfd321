#include "Program.h"
#include "WideText.h"

#include <string>
#include <vector>

// The arguments as the C runtime splits Windows' UTF-16 command line, so that names and tags in
// any script arrive as typed.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i)
        arguments.push_back(lamebin::utf8Text(argv[i]));
    return lamebin::runProgram(arguments);
}
