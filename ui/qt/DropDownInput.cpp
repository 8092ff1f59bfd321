#include "DropDownInput.h"

#include "ControlWalk.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>

namespace quendra::ui {

namespace {

std::u16string_view utf16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// A shortcut, as opposed to typing: AltGr arrives as Control+Alt on some platforms.
bool isShortcut(const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers();
    return mods.testFlag(Qt::MetaModifier) ||
           mods.testFlag(Qt::ControlModifier) != mods.testFlag(Qt::AltModifier);
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

void DropDownBox::changeEvent(QEvent* event) {
    // A style set before the drop-down was first shown or measured, and before its list exists:
    // QComboBox would build the list only to choose how it draws its entries, which the list
    // chooses by the style of the moment when it is built, and the first showing lays the line
    // out by the style anyway.
    if (event->type() == QEvent::StyleChange && !testAttribute(Qt::WA_WState_Polished) &&
        !findChild<QAbstractItemView*>()) {
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

ComboBoxView::ComboBoxView(QComboBox* comboBox)
    : comboBox_(comboBox), line_(comboBox->lineEdit()) {}

std::string ComboBoxView::text() const {
    return line_->text().toStdString();
}

TextSelection ComboBoxView::selection() const {
    const QString text = line_->text();
    const auto caret = std::size_t(line_->cursorPosition());
    if (!line_->hasSelectedText())
        return toUtf8(utf16(text), {caret, 0, caret});
    return toUtf8(utf16(text), {std::size_t(line_->selectionStart()),
                                std::size_t(line_->selectionLength()), caret});
}

int ComboBoxView::currentEntry() const {
    return comboBox_->currentIndex();
}

void ComboBoxView::setCurrentEntry(int entry) {
    const QSignalBlocker blockComboBox(comboBox_);
    const QSignalBlocker blockLine(line_);
    comboBox_->setCurrentIndex(entry);
}

void ComboBoxView::setText(const std::string& text) {
    const QSignalBlocker blockLine(line_);
    line_->setText(QString::fromStdString(text));
}

void ComboBoxView::select(const std::string& text, const TextSelection& utf8) {
    const QSignalBlocker blockLine(line_);
    const TextSelection at = toUtf16(text, utf8);
    if (at.length == 0)
        line_->setCursorPosition(int(at.caret));
    else
        line_->setSelection(int(at.anchor()), int(at.active()) - int(at.anchor()));
}

DropDownInput::DropDownInput(QComboBox* comboBox, ControlName name, form::ControlWalk& walk)
    : QObject(comboBox), comboBox_(comboBox), name_(name), walk_(walk) {
    // The combo box keeps the focus and hands keys to its line edit, so keys are met here.
    comboBox_->installEventFilter(this);
    connect(comboBox_, &QComboBox::activated, this,
            [this](int index) { walk_.picked(name_, index); });
    connect(comboBox->lineEdit(), &QLineEdit::textEdited, this, [this] { walk_.edited(name_); });
}

bool DropDownInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != comboBox_ || event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
        walk_.backspace(name_);
        return true;
    }
    return !isShortcut(key) && walk_.typed(name_, key->text().toStdString());
}

} // namespace quendra::ui
