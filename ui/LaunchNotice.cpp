#include "LaunchNotice.h"

#include "FormTables.h"

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
    QMessageBox::warning(window, QString::fromUtf8(kApplicationTitle),
                         QString::fromStdString(launchFailureMessage(result)));
}

} // namespace quendra::ui
