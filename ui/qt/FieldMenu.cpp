#include "FieldMenu.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

namespace quendra::ui {

FieldMenu::FieldMenu(QLineEdit* field) : QObject(field), field_(field) {
    field->installEventFilter(this);
}

// The menu QLineEdit itself would show, where it would show it.
bool FieldMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ContextMenu)
        return QObject::eventFilter(watched, event);
    QMenu* menu = field_->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setLayoutDirection(QGuiApplication::layoutDirection());
    menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
}

} // namespace quendra::ui
