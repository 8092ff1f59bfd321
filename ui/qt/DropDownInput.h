#pragma once

#include "DropDownTyping.h"

#include <QComboBox>
#include <QObject>
#include <QString>

#include <string>

class QLineEdit;

namespace quendra {
class EventWiring;
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
};

// Routes the user's input on one editable drop-down into the core: each typed character and
// Backspace through the completing typist, a picked entry as a pick, any other edit (Delete,
// paste, cut, undo) as a changed text; then shows what the core says the drop-down holds.
class DropDownInput : public QObject {
public:
    DropDownInput(QComboBox* comboBox, std::string name, EventWiring& wiring);

    // Shows a drop-down state: text, selection and caret. Never counts as user input.
    static void show(QComboBox* comboBox, const DropDownEdit& edit);
    // Shows the model's text and current entry (DropDownTyping::keptSelection).
    static void mirror(QComboBox* comboBox, const std::string& text, int currentEntry);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool typed(const QString& text);
    void backspace();
    void picked(int index);
    void edited(const QString& text);

    QComboBox* comboBox_;
    QLineEdit* lineEdit_;
    std::string name_;
    EventWiring& wiring_;
};

} // namespace quendra::ui
