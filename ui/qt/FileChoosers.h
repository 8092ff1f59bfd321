#pragma once

#include "ChooserSettings.h"
#include "ControlNames.h"

#include <QObject>
#include <QString>
#include <QStringList>

class QLineEdit;
class QWidget;

namespace quendra::form {
class ControlWalk;
}

namespace quendra::ui {

// Qt wants one "description (pattern pattern)" per file-type entry.
QStringList nameFilters(const std::vector<form::FileFilter>& filters);

// Opens a modal file chooser with the settings given, created for this one press. Returns the
// chosen file's full path in the platform's spelling, or an empty string when the user cancels.
QString chooseFile(QWidget* parent, const form::ChooserSettings& settings);

// Lets a file dragged from a file manager onto a path field fill it: the drag's addresses go to
// the walk as paths in the platform's spelling (empty for an address that is no local file),
// which says whether it takes them. A drag of plain text keeps the line edit's own handling.
class FileDropTarget : public QObject {
public:
    FileDropTarget(QLineEdit* field, ControlName name, form::ControlWalk& walk);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ControlName name_;
    form::ControlWalk& walk_;
};

} // namespace quendra::ui
