// The entry: the application, its title, the one window over a fresh model, the event loop.
#include "AppIdentity.h"
#include "EncoderLauncher.h"
#include "Unit1.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    quendra::ui::setApplicationIdentity();

    const std::unique_ptr<quendra::EncoderLauncher> launcher = quendra::systemEncoderLauncher();
    TForm1 form(*launcher);
    form.show();
    return QApplication::exec();
}
