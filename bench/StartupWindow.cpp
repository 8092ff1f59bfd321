// The program's entry as Project1.cpp has it, ending once the window's first frame is shown.
#include "AppIdentity.h"
#include "EncoderLauncher.h"
#include "FirstFrame.h"
#include "FirstFrameReport.h"
#include "Unit1.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    quendra::ui::reportToStarter("main");
    QApplication application(argc, argv);
    quendra::ui::setApplicationIdentity();

    const std::unique_ptr<quendra::EncoderLauncher> launcher = quendra::systemEncoderLauncher();
    TForm1 form(*launcher);
    quendra::bench::quitAfterFirstFrame(form);
    form.show();
    return QApplication::exec();
}
