#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace quendra::ui {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
using DropDownAttributes = QAccessibleAttributesInterface;
#else
class DropDownAttributes {}; // Qt hands on no object attributes before 6.8
#endif

// What assistive technology reads of a drop-down: named by the label beside it, its text as its
// value, editable. Qt's own description names an editable drop-down on Linux by its text, so that
// a screen reader announced "auto" where it should say "sampling frequency:". Otherwise it is
// Qt's: a combo box with its list and its line edit as children, an action that opens the list.
//
// AT-SPI gives a combo box no value of its own: Orca 48 reads the text of a child it takes for a
// one-line entry, else the list's selected entry, else the name. Qt marks no line edit as one
// line, so a text that is no entry of the list ("<genre>") went unheard, the name said in its
// place. Where Qt hands on object attributes (6.8 on), the text is also the attribute
// "valuetext", which Orca reads first.
class DropDownAccessible : public QAccessibleWidget, public DropDownAttributes {
public:
    explicit DropDownAccessible(QComboBox* comboBox);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QList<QAccessible::Attribute> attributeKeys() const override;
    QVariant attributeValue(QAccessible::Attribute key) const override;
#endif
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
