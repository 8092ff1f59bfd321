#pragma once

#include "ControlNames.h"
#include "HintMachine.h"

#include <QHash>
#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QTimer>

namespace quendra::ui {

// The small box a hint is shown in: the platform's tooltip look, one line as wide as the text
// needs, wrapped only where it would not fit on the screen.
class HintBox : public QLabel {
public:
    HintBox();
    void showText(const QString& text, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The window's hover hints (form::HintMachine) drawn in a HintBox: fed the control under the
// mouse and the input that hides a hint, and running the machine's timers.
class HoverHints : public QObject, private form::HintShell {
public:
    HoverHints(const FormModel& model, QObject* parent = nullptr);
    ~HoverHints() override;

    // Switches hints on for a hinted control and everything inside it. Call once its children
    // exist.
    void attach(QWidget* control);

    // What hovering over a widget would show now; empty for none.
    QString hintAt(const QWidget* widget) const;
    // The control whose hint is waiting for the mouse to rest, or showing.
    QWidget* activeControl() const;
    const HintBox* box() const { return &box_; }
    void setFont(const QFont& font) { box_.setFont(font); }
    void hide() { machine_.dismiss(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The control of the window a widget is or belongs to; empty for none.
    ControlName controlOf(const QWidget* widget) const;
    void pointerAt(const QWidget* widget, const QPoint& globalPos);

    void showTip(const char* text, form::ScreenPoint pointer) override;
    void hideTip() override { box_.hide(); }
    void startTimer(form::HintTimer timer, int ms) override;
    void stopTimer(form::HintTimer timer) override;

    const FormModel& model_;
    form::HintMachine machine_;
    QHash<QString, QWidget*> owners_; // the hinted controls by name
    QPoint globalPos_;                // where the mouse was last seen
    QTimer timers_[3];                // by form::HintTimer
    HintBox box_;
};

} // namespace quendra::ui
