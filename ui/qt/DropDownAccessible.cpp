#include "DropDownAccessible.h"

#include "DropDownInput.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace quendra::ui {

namespace {

QAccessibleInterface* describeDropDown(const QString& className, QObject* object) {
    if (className != QLatin1String(DropDownBox::staticMetaObject.className()))
        return nullptr;
    return new DropDownAccessible(static_cast<DropDownBox*>(object));
}

} // namespace

DropDownAccessible::DropDownAccessible(QComboBox* comboBox)
    : QAccessibleWidget(comboBox, QAccessible::ComboBox) {
    addControllingSignal(QStringLiteral("activated(int)"));
}

QComboBox* DropDownAccessible::comboBox() const {
    return static_cast<QComboBox*>(widget());
}

QString DropDownAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value)
        return comboBox()->lineEdit()->text();
    return QAccessibleWidget::text(t);
}

// Editable: the person types into it, and a screen reader says "editable combo box".
QAccessible::State DropDownAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    return s;
}

void* DropDownAccessible::interface_cast(QAccessible::InterfaceType t) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (t == QAccessible::AttributesInterface)
        return static_cast<QAccessibleAttributesInterface*>(this);
#endif
    return QAccessibleWidget::interface_cast(t);
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
QList<QAccessible::Attribute> DropDownAccessible::attributeKeys() const {
    return {QAccessible::Attribute::Custom};
}

QVariant DropDownAccessible::attributeValue(QAccessible::Attribute key) const {
    if (key != QAccessible::Attribute::Custom)
        return {};
    return QVariant::fromValue(
        QHash<QString, QString>{{QStringLiteral("valuetext"), text(QAccessible::Value)}});
}
#endif

int DropDownAccessible::childCount() const {
    return 2; // the list and the line edit
}

QAccessibleInterface* DropDownAccessible::child(int index) const {
    if (index == 0)
        return QAccessible::queryAccessibleInterface(comboBox()->view());
    if (index == 1)
        return QAccessible::queryAccessibleInterface(comboBox()->lineEdit());
    return nullptr;
}

int DropDownAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child)
        return -1;
    if (child->object() == comboBox()->view())
        return 0;
    if (child->object() == comboBox()->lineEdit())
        return 1;
    return -1;
}

QStringList DropDownAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void DropDownAccessible::doAction(const QString& actionName) {
    if (actionName == showMenuAction() || actionName == pressAction())
        comboBox()->showPopup();
    else
        QAccessibleWidget::doAction(actionName);
}

void DropDownAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(describeDropDown);
        return true;
    }();
    (void)installed;
}

} // namespace quendra::ui
