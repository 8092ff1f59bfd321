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

std::u16string_view utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// The line's selection and caret as UTF-8 offsets.
TextSelection selectionOf(const QLineEdit* line) {
    const QString text = line->text();
    const auto caret = std::size_t(line->cursorPosition());
    if (!line->hasSelectedText())
        return toUtf8(utf16(text), {caret, 0, caret});
    return toUtf8(utf16(text), {std::size_t(line->selectionStart()),
                                std::size_t(line->selectionLength()), caret});
}

void select(QLineEdit* line, const std::string& text, const TextSelection& utf8) {
    const TextSelection at = toUtf16(text, utf8);
    if (at.length == 0)
        line->setCursorPosition(int(at.caret));
    else
        line->setSelection(int(at.anchor()), int(at.active()) - int(at.anchor()));
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
    select(line, edit.text, edit.selection);
}

void DropDownInput::mirror(QComboBox* comboBox, const std::string& text, int currentEntry) {
    QLineEdit* line = comboBox->lineEdit();
    const QSignalBlocker blockLine(line);
    const std::string shown = line->text().toStdString();
    const TextSelection selection = selectionOf(line);
    if (comboBox->currentIndex() != currentEntry)
        comboBox->setCurrentIndex(currentEntry);
    if (line->text() != QString::fromStdString(text))
        line->setText(QString::fromStdString(text));
    if (const auto kept = DropDownTyping::keptSelection(shown, selection, text))
        select(line, text, *kept);
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
        show(comboBox_, wiring_.keyTyped(name_, selectionOf(lineEdit_), character));
        i += length;
    }
    return true;
}

void DropDownInput::backspace() {
    show(comboBox_, wiring_.backspacePressed(name_, selectionOf(lineEdit_)));
}

void DropDownInput::picked(int index) {
    show(comboBox_, wiring_.entryPicked(name_, index));
}

void DropDownInput::edited(const QString& text) {
    wiring_.textChanged(name_, text.toStdString());
}

} // namespace quendra::ui
