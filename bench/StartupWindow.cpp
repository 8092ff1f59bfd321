// The program's own entry, ending once the window's first frame is shown.
#include "FirstFrame.h"
#include "FirstFrameReport.h"
#include "Program.h"

int main(int argc, char* argv[]) {
    quendra::ui::reportToStarter("main");
    return quendra::ui::runProgram(argc, argv, quendra::bench::quitAfterFirstFrame);
}
