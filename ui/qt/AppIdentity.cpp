#include "AppIdentity.h"

#include "Version.h"
#include "WindowFrame.h"

#include <QGuiApplication>

namespace quendra::ui {

void setApplicationIdentity() {
    QGuiApplication::setApplicationName(QString::fromUtf8(form::kApplicationTitle));
    QGuiApplication::setApplicationVersion(QString::fromUtf8(form::kVersion));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(form::kDesktopFileName));
}

} // namespace quendra::ui
