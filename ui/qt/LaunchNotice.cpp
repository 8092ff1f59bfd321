#include "LaunchNotice.h"

#include "WindowFrame.h"
#include "WindowFont.h"

#include <QMessageBox>

namespace quendra::ui {

void MessageBoxNotice::show(QWidget* window, const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(form::kApplicationTitle),
                    QString::fromStdString(text), QMessageBox::Ok, window);
    box.setFont(shapingFont()); // the places searched may be in any script
    box.exec();
}

} // namespace quendra::ui
