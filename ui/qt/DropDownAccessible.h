#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace quendra::ui {

// What assistive technology reads of a drop-down: named by the label beside it, its text as
// its value. Qt's own description names an editable drop-down on Linux by its text, so that a
// screen reader announced "auto" where it should say "sampling frequency:". Otherwise it is
// Qt's: a combo box with its list and its line edit as children, an action that opens the list.
class DropDownAccessible : public QAccessibleWidget {
public:
    explicit DropDownAccessible(QComboBox* comboBox);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Makes every DropDownBox described this way; once per process.
    static void install();

private:
    QComboBox* comboBox() const;
};

} // namespace quendra::ui
