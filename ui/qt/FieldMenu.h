#pragma once

#include <QObject>

class QLineEdit;

namespace quendra::ui {

// A field's context menu, Qt's own, in the direction of Qt's own texts, as in every other Qt
// program: right to left under an Arabic or Hebrew translation. Qt turns a menu to the direction
// of the field it pops up from, which in the window is always left to right, and then lays the
// translated entries out wrongly in it (the shortcuts cut off at its edge).
class FieldMenu : public QObject {
public:
    explicit FieldMenu(QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field_;
};

} // namespace quendra::ui
