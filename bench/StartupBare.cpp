// The floor for any Qt Widgets program: an empty window of the main window's client size, built and
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
    const quendra::form::PixelRect client = quendra::form::clientAtStart(1.0);
    window.resize(client.width, client.height);
    quendra::bench::quitAfterFirstFrame(window);
    window.show();
    return QApplication::exec();
}
