#pragma once

#include "ChooserSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLineEdit;
class QMimeData;
class QWidget;

namespace quendra::ui {

// Qt wants one "description (pattern pattern)" per file-type entry.
QStringList nameFilters(const std::vector<form::FileFilter>& filters);

// Opens a modal file chooser with the settings given, created for this one press. Returns the
// chosen file's full path in the platform's spelling, or an empty string when the user cancels.
QString chooseFile(QWidget* parent, const form::ChooserSettings& settings);

// The local path, in the platform's spelling, of a drag that carries exactly one local file;
// an empty string for any other drag.
QString draggedLocalFile(const QMimeData* data);

// Lets a file dragged from a file manager onto a path field fill it: the field's new text is
// handed on as if typed. A drag of addresses other than one local file is refused; a drag of
// plain text keeps the line edit's own handling.
class FileDropTarget : public QObject {
public:
    FileDropTarget(QLineEdit* field, std::function<void(const QString& path)> dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> dropped_;
};

} // namespace quendra::ui
