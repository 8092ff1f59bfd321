#include "AppIdentity.h"

#include "FormTables.h"

#include <QGuiApplication>

namespace quendra::ui {

void setApplicationIdentity() {
    QGuiApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QGuiApplication::setApplicationVersion(QString::fromUtf8(kVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kDesktopFileName));
}

} // namespace quendra::ui
