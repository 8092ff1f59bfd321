// The entry. A program that started this one through a pipe hears when the first frame is shown.
#include "FirstFrameReport.h"
#include "Program.h"

int main(int argc, char* argv[]) {
    return quendra::ui::runProgram(argc, argv, quendra::ui::reportFirstFrame);
}
