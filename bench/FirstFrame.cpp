#include "FirstFrame.h"

#include "FirstFrameReport.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

namespace quendra::bench {

void quitAfterFirstFrame(QWidget& window) {
    ui::onFirstFrame(window, [] {
        ui::reportToStarter("frame");
        QCoreApplication::quit();
    });
    QTimer::singleShot(30000, [] {
        std::fputs("no frame was painted within 30 s\n", stderr);
        QCoreApplication::exit(3);
    });
}

} // namespace quendra::bench
