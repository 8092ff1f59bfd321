#include "FileChoosers.h"

#include "ControlWalk.h"
#include "WindowFont.h"

#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace quendra::ui {

namespace {

// The user sees the descriptions alone, as they are written; the first pair is selected.
void setFilters(QFileDialog& dialog, const std::vector<form::FileFilter>& filter) {
    const QStringList filters = nameFilters(filter);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
    // Said outright, so that a native dialog opens on the first pair too.
    dialog.selectNameFilter(filters.first());
}

QString confirmedChoice(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return {};
    return QDir::toNativeSeparators(chosen.first());
}

// A drop only names a file: the file manager must never take it for a move and remove the
// source.
Qt::DropAction harmlessAction(Qt::DropActions possible) {
    for (Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction})
        if (possible.testFlag(action))
            return action;
    return Qt::IgnoreAction;
}

std::vector<std::string> localFiles(const QList<QUrl>& urls) {
    std::vector<std::string> files;
    for (const QUrl& url : urls)
        files.push_back(
            url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()).toStdString() : "");
    return files;
}

} // namespace

QStringList nameFilters(const std::vector<form::FileFilter>& filters) {
    QStringList names;
    for (const form::FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns.append(QString::fromStdString(pattern));
        names.append(QString::fromStdString(filter.description) + QStringLiteral(" (") +
                     patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return names;
}

QString chooseFile(QWidget* parent, const form::ChooserSettings& settings) {
    QFileDialog dialog(parent, QString::fromUtf8(settings.title));
    dialog.setFont(shapingFont()); // file names in any script
    const bool open = settings.kind == form::DialogKind::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(settings.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Qt has no read-only box; its read-only option is the nearest: nothing can be created,
    // renamed or deleted from inside the chooser.
    dialog.setOption(QFileDialog::ReadOnly, settings.readOnlyBoxShownAndTicked);
    if (!open)
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
    // Where no folder is set, the platform picks one.
    if (settings.startFolder == form::StartFolder::CurrentDirectory)
        dialog.setDirectory(QDir::currentPath());
    if (*settings.defaultExtension)
        dialog.setDefaultSuffix(QString::fromUtf8(settings.defaultExtension));
    setFilters(dialog, settings.filters);
    if (!settings.resizable) { // holds where the dialog is Qt's own
        dialog.setSizeGripEnabled(false);
        dialog.setFixedSize(dialog.size());
    }
    return confirmedChoice(dialog);
}

FileDropTarget::FileDropTarget(QLineEdit* field, ControlName name, form::ControlWalk& walk)
    : QObject(field), name_(name), walk_(walk) {
    field->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return QObject::eventFilter(watched, event);
        const std::vector<std::string> files = localFiles(drop->mimeData()->urls());
        const Qt::DropAction action = harmlessAction(drop->possibleActions());
        if (!walk_.takesDrop(name_, files) || action == Qt::IgnoreAction) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(action);
        drop->accept();
        if (event->type() == QEvent::Drop)
            walk_.dropped(name_, files);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quendra::ui
