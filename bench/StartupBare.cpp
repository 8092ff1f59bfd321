// The floor for any Qt Widgets program: an empty window of the main window's size, built and
// linked like the program, ending once its first frame is shown.
#include "BenchSupport.h"
#include "FirstFrame.h"
#include "FormTables.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    quendra::bench::report("main");
    QApplication application(argc, argv);
    QWidget window;
    window.resize(quendra::ui::kOuterWidth - quendra::ui::kAssumedFrameWidth,
                  quendra::ui::kOuterHeight - quendra::ui::kAssumedFrameHeight);
    quendra::bench::quitAfterFirstFrame(window);
    window.show();
    return QApplication::exec();
}
