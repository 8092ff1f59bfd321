#include "FileChoosers.h"

#include "WindowFont.h"

#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace quendra::ui {

namespace {

const char* const kInputFilter =
    "all supported files|*.wav;*.wave;*.aif;*.aiff;*.mp1;*.mpg;*.mp2;*.mp3|Wave files|*.wav;*.wave|"
    "AIFF files|*.aif;*.aiff|MPEG Layer I files|*.mp1;*.mpg|MPEG Layer II files|*.mp2|"
    "MPEG Layer III files|*.mp3";
const char* const kOutputFilter = "MP3 files|*.mp3|all files|*";

// The user sees the descriptions alone, as they are written; the first pair is selected.
void setFilters(QFileDialog& dialog, const char* filter) {
    const QStringList filters = nameFilters(QString::fromUtf8(filter));
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
    const QString path = QDir::toNativeSeparators(chosen.first());
    QDir::setCurrent(QFileInfo(path).absolutePath());
    return path;
}

// A drop only names a file: the file manager must never take it for a move and remove the
// source.
Qt::DropAction harmlessAction(Qt::DropActions possible) {
    for (Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction})
        if (possible.testFlag(action))
            return action;
    return Qt::IgnoreAction;
}

} // namespace

QStringList nameFilters(const QString& filter) {
    QStringList filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';')))
            if (!pattern.trimmed().isEmpty())
                patterns.append(pattern.trimmed());
        if (!patterns.isEmpty())
            filters.append(parts[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                           QLatin1Char(')'));
    }
    return filters;
}

QString chooseInputFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("select input file"));
    dialog.setFont(shapingFont()); // file names in any script
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt has no read-only box; its read-only option is the nearest: nothing can be created,
    // renamed or deleted from inside the chooser. No folder is set: the platform picks one.
    dialog.setOption(QFileDialog::ReadOnly);
    setFilters(dialog, kInputFilter);
    // This chooser keeps its size where the dialog is Qt's own.
    dialog.setSizeGripEnabled(false);
    dialog.setFixedSize(dialog.size());
    return confirmedChoice(dialog);
}

QString chooseOutputFile(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("select output file"));
    dialog.setFont(shapingFont()); // file names in any script
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(QDir::currentPath());
    dialog.setDefaultSuffix(QStringLiteral("mp3"));
    setFilters(dialog, kOutputFilter);
    return confirmedChoice(dialog);
}

QString draggedLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    return QDir::toNativeSeparators(urls.first().toLocalFile());
}

FileDropTarget::FileDropTarget(QLineEdit* field, std::function<void(const QString& path)> dropped)
    : QObject(field), dropped_(std::move(dropped)) {
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
        const QString path = draggedLocalFile(drop->mimeData());
        const Qt::DropAction action = harmlessAction(drop->possibleActions());
        if (path.isEmpty() || action == Qt::IgnoreAction) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(action);
        drop->accept();
        if (event->type() == QEvent::Drop)
            dropped_(path);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace quendra::ui
