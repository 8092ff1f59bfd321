#include "LaunchNotice.h"

#include "FormTables.h"
#include "WindowFont.h"

#include <QMessageBox>

namespace quendra::ui {

std::string launchFailureMessage(const LaunchResult& result) {
    std::string text = "The encoder \"lame.bin\" could not be started.";
    if (!result.reason.empty())
        text += "\n\nReason: " + result.reason;
    if (!result.searched.empty()) {
        text += "\n\nSearched in:";
        for (const std::string& place : result.searched)
            text += "\n" + place;
    }
    return text;
}

void MessageBoxNotice::show(QWidget* window, const LaunchResult& result) {
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kApplicationTitle),
                    QString::fromStdString(launchFailureMessage(result)), QMessageBox::Ok, window);
    box.setFont(shapingFont()); // the places searched may be in any script
    box.exec();
}

} // namespace quendra::ui
