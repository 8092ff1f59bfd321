#include "Program.h"

int main(int argc, char** argv) {
    return quendra::runProgram({argv, argv + argc});
}
