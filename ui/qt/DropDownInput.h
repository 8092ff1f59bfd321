#pragma once

#include "ControlNames.h"
#include "DropDownView.h"

#include <QComboBox>
#include <QObject>
#include <QString>

#include <string>

class QLineEdit;

namespace quendra::form {
class ControlWalk;
}

namespace quendra::ui {

// An editable drop-down whose list is built the first time it opens. setEditable() would build
// it at once, and the window has seven drop-downs to make before its first frame. It has no
// completer: completing is left to its owner. A class of its own for Qt's meta-object system,
// so that assistive technology gets its own description of it (DropDownAccessible).
class DropDownBox : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownBox(QWidget* parent = nullptr);
    void showPopup() override;

protected:
    void changeEvent(QEvent* event) override;
};

// A drop-down's entry, line and selection as the core reads and writes them. Its writes never
// count as user input.
class ComboBoxView : public DropDownView {
public:
    explicit ComboBoxView(QComboBox* comboBox);

    std::string text() const override;
    TextSelection selection() const override;

protected:
    int currentEntry() const override;
    void setCurrentEntry(int entry) override;
    void setText(const std::string& text) override;
    void select(const std::string& text, const TextSelection& selection) override;

private:
    QComboBox* comboBox_;
    QLineEdit* line_;
};

// Hands the person's input on one editable drop-down to the walk: typed keys and Backspace
// before the line edit sees them, a picked entry, any other edit (Delete, paste, cut, undo).
class DropDownInput : public QObject {
public:
    DropDownInput(QComboBox* comboBox, ControlName name, form::ControlWalk& walk);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* comboBox_;
    ControlName name_;
    form::ControlWalk& walk_;
};

} // namespace quendra::ui
