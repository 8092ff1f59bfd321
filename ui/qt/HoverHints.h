#pragma once

#include "Hints.h"

#include <QHash>
#include <QLabel>
#include <QObject>
#include <QPoint>
#include <QPointer>
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

// Hover hints with the window's own timing: a hint appears after the mouse has rested on its
// control for a while, at once when the mouse moves on from a shown hint to another hinted
// control, and goes away after a few seconds. Disabled controls show none. A control shows
// the hint of the nearest hinted control that contains it.
class HoverHints : public QObject {
public:
    static constexpr int kRestMs = form::kHintTimings.restMs;
    static constexpr int kShowMs = form::kHintTimings.showMs;
    static constexpr int kMoveOnMs = form::kHintTimings.moveOnMs;

    explicit HoverHints(QObject* parent = nullptr);
    ~HoverHints() override;

    // Switches hints on for a control and everything inside it. Call once its children exist.
    void attach(QWidget* control, const QString& text);

    // What hovering over a widget would show now; empty for none.
    QString hintAt(const QWidget* widget) const;
    // The control whose hint is waiting for the mouse to rest, or showing.
    QWidget* activeControl() const { return active_; }
    const HintBox* box() const { return &box_; }
    void setFont(const QFont& font) { box_.setFont(font); }
    void hide();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* ownerOf(const QWidget* widget) const;
    void entered(QWidget* widget, const QPoint& globalPos);
    void left(QWidget* widget);
    void showNow();

    QHash<const QWidget*, QString> texts_;
    QPointer<QWidget> active_;  // the hinted control under the mouse
    QPointer<QWidget> hovered_; // the widget under the mouse inside it
    QPoint globalPos_;
    QTimer restTimer_;
    QTimer expireTimer_;
    QTimer moveOnTimer_;
    HintBox box_;
};

} // namespace quendra::ui
