#include "Program.h"

int main(int argc, char** argv) {
    return lamebin::runProgram({argv, argv + argc});
}
