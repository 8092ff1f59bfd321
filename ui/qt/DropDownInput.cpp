#include "DropDownInput.h"

#include "EventWiring.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>

#include <algorithm>

namespace quendra::ui {

namespace {

struct Caret {
    std::size_t selectionStart;
    std::size_t selectionLength;
    std::size_t caret;
};

Caret caretOf(const QLineEdit* edit) {
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    if (!edit->hasSelectedText())
        return {utf8Offset(text, cursor), 0, utf8Offset(text, cursor)};
    const int start = edit->selectionStart();
    const std::size_t from = utf8Offset(text, start);
    const std::size_t to = utf8Offset(text, start + edit->selectionLength());
    return {from, to - from, utf8Offset(text, cursor)};
}

// Typing, as opposed to a shortcut: AltGr arrives as Control+Alt on some platforms.
bool isTyping(const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers();
    const bool control = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    if (mods.testFlag(Qt::MetaModifier) || control != alt)
        return false;
    const QString text = key->text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                          [](QChar c) { return c.isPrint() || c.isSurrogate(); });
}

// A completer that is never used: a line edit that has one when it becomes a drop-down's gets
// no completer of the drop-down's own, which would be built over the list's model only to be
// dropped. One serves every drop-down, since each lets it go again at once; the application
// owns it.
QCompleter* standInCompleter() {
    static QPointer<QCompleter> completer;
    if (!completer)
        completer = new QCompleter(QCoreApplication::instance());
    return completer;
}

} // namespace

DropDownBox::DropDownBox(QWidget* parent) : QComboBox(parent) {
    auto* edit = new QLineEdit(this);
    edit->setCompleter(standInCompleter());
    setLineEdit(edit);
    setCompleter(nullptr); // completing is the owner's
    // Leaving the field changes nothing. Qt would make the entry whose text equals the line's
    // current, a completion the window's rules do not have; and where the field loses the focus
    // because a rule hides it, Qt did so while the window mirrored the model, unseen by it.
    disconnect(edit, &QLineEdit::editingFinished, this, nullptr);
}

void DropDownBox::showPopup() {
    // What setEditable() leaves an editable drop-down's list with, where the style pops lists up.
    view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QComboBox::showPopup();
}

std::size_t utf8Offset(const QString& text, int utf16Offset) {
    return static_cast<std::size_t>(text.left(std::max(0, utf16Offset)).toUtf8().size());
}

int utf16Offset(const std::string& utf8, std::size_t utf8Offset) {
    const std::size_t bytes = std::min(utf8Offset, utf8.size());
    return static_cast<int>(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(bytes)).size());
}

DropDownInput::DropDownInput(QComboBox* comboBox, std::string name, EventWiring& wiring)
    : QObject(comboBox), comboBox_(comboBox), lineEdit_(comboBox->lineEdit()),
      name_(std::move(name)), wiring_(wiring) {
    // The combo box keeps the focus and hands keys to its line edit, so keys are met here.
    comboBox_->installEventFilter(this);
    connect(comboBox_, &QComboBox::activated, this, &DropDownInput::picked);
    connect(lineEdit_, &QLineEdit::textEdited, this, &DropDownInput::edited);
}

void DropDownInput::show(QComboBox* comboBox, const DropDownEdit& edit) {
    QLineEdit* line = comboBox->lineEdit();
    const QSignalBlocker blockComboBox(comboBox);
    const QSignalBlocker blockLine(line);
    const QString text = QString::fromStdString(edit.text);
    if (line->text() != text)
        line->setText(text);
    const int start = utf16Offset(edit.text, edit.selectionStart);
    const int end = utf16Offset(edit.text, edit.selectionStart + edit.selectionLength);
    const int caret = utf16Offset(edit.text, edit.caret);
    if (end == start)
        line->setCursorPosition(caret);
    else if (caret == start)
        line->setSelection(end, start - end); // caret at the front of the selection
    else
        line->setSelection(start, end - start);
}

bool DropDownInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != comboBox_ || event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
        backspace();
        return true;
    }
    if (isTyping(key))
        return typed(key->text());
    return false;
}

bool DropDownInput::typed(const QString& text) {
    // One character at a time, each seeing the state the one before left.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const std::string character = text.mid(i, length).toStdString();
        const Caret at = caretOf(lineEdit_);
        show(comboBox_,
             wiring_.keyTyped(name_, at.selectionStart, at.selectionLength, at.caret, character));
        i += length;
    }
    return true;
}

void DropDownInput::backspace() {
    const Caret at = caretOf(lineEdit_);
    show(comboBox_,
         wiring_.backspacePressed(name_, at.selectionStart, at.selectionLength, at.caret));
}

void DropDownInput::picked(int index) {
    show(comboBox_, wiring_.entryPicked(name_, index));
}

void DropDownInput::edited(const QString& text) {
    wiring_.textChanged(name_, text.toStdString());
}

} // namespace quendra::ui
