// The entry: the application, its title, the one window over a fresh model, the event loop.
// A program that started this one through a pipe hears when the first frame is shown.
#include "AppIdentity.h"
#include "EncoderLauncher.h"
#include "FirstFrameReport.h"
#include "Unit1.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    quendra::ui::setApplicationIdentity();

    const std::unique_ptr<quendra::EncoderLauncher> launcher = quendra::systemEncoderLauncher();
    TForm1 form(*launcher);
    quendra::ui::reportFirstFrame(form);
    form.show();
    return QApplication::exec();
}
