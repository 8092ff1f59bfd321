// The floor for any Qt Widgets program: an empty window of the main window's size, built and
// linked like the program, ending once its first frame is shown.
#include "FirstFrame.h"
#include "FirstFrameReport.h"
#include "WindowFrame.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    quendra::ui::reportToStarter("main");
    QApplication application(argc, argv);
    QWidget window;
    window.resize(quendra::form::kOuterWidth - quendra::form::kAssumedFrameWidth,
                  quendra::form::kOuterHeight - quendra::form::kAssumedFrameHeight);
    quendra::bench::quitAfterFirstFrame(window);
    window.show();
    return QApplication::exec();
}
