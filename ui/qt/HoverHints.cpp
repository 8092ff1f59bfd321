#include "HoverHints.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>

#include <algorithm>

namespace quendra::ui {

HintBox::HintBox() : QLabel(nullptr, Qt::ToolTip | Qt::BypassGraphicsProxyWidget) {
    setObjectName(QStringLiteral("Hint"));
    setTextFormat(Qt::PlainText);
    setPalette(QToolTip::palette());
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setMargin(1 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void HintBox::showText(const QString& text, const QPoint& globalPos) {
    setText(text);
    setWordWrap(false);
    QSize size = sizeHint();
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(QPoint(), size);
    if (size.width() > area.width()) {
        setWordWrap(true);
        size = QSize(area.width(), heightForWidth(area.width()));
    }
    resize(size);
    // Below the pointer, as tooltips go, but always on the screen.
    QPoint at = globalPos + QPoint(2, 16);
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
    if (at.y() + size.height() > area.bottom() + 1)
        at.setY(globalPos.y() - 4 - size.height());
    move(at);
    show();
    raise();
}

void HintBox::paintEvent(QPaintEvent* event) {
    QStylePainter painter(this);
    QStyleOptionFrame frame;
    frame.initFrom(this);
    painter.drawPrimitive(QStyle::PE_PanelTipLabel, frame);
    painter.end();
    QLabel::paintEvent(event);
}

HoverHints::HoverHints(QObject* parent) : QObject(parent) {
    restTimer_.setSingleShot(true);
    restTimer_.setInterval(kRestMs);
    expireTimer_.setSingleShot(true);
    expireTimer_.setInterval(kShowMs);
    moveOnTimer_.setSingleShot(true);
    moveOnTimer_.setInterval(kMoveOnMs);
    connect(&restTimer_, &QTimer::timeout, this, &HoverHints::showNow);
    connect(&expireTimer_, &QTimer::timeout, this, [this] { box_.hide(); });
}

HoverHints::~HoverHints() = default;

void HoverHints::attach(QWidget* control, const QString& text) {
    texts_.insert(control, text);
    control->installEventFilter(this);
    for (QWidget* child : control->findChildren<QWidget*>())
        child->installEventFilter(this);
}

QWidget* HoverHints::ownerOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
        if (texts_.contains(w))
            return const_cast<QWidget*>(w);
    return nullptr;
}

QString HoverHints::hintAt(const QWidget* widget) const {
    const QWidget* owner = ownerOf(widget);
    if (!owner || !widget->isEnabled())
        return {};
    return texts_.value(owner);
}

void HoverHints::hide() {
    restTimer_.stop();
    expireTimer_.stop();
    box_.hide();
}

bool HoverHints::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        entered(widget, static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseMove: {
        const QPoint pos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (ownerOf(widget) != active_)
            entered(widget, pos);
        else if (!box_.isVisible())
            globalPos_ = pos; // the hint appears where the mouse came to rest
        break;
    }
    case QEvent::Leave:
        left(widget);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        hide();
        break;
    case QEvent::ToolTip:
        return true; // the toolkit's own tooltips never show here
    default:
        break;
    }
    return false;
}

void HoverHints::entered(QWidget* widget, const QPoint& globalPos) {
    QWidget* owner = ownerOf(widget);
    if (!owner)
        return;
    hovered_ = widget;
    globalPos_ = globalPos;
    if (owner == active_)
        return; // still inside the same control: a shown hint stays
    active_ = owner;
    restTimer_.stop();
    if (!widget->isEnabled()) {
        active_ = nullptr;
        return;
    }
    if (box_.isVisible() || moveOnTimer_.isActive())
        showNow();
    else
        restTimer_.start();
}

void HoverHints::left(QWidget* widget) {
    if (widget != active_)
        return;
    const bool wasShown = box_.isVisible();
    hide();
    active_ = nullptr;
    hovered_ = nullptr;
    if (wasShown)
        moveOnTimer_.start();
}

void HoverHints::showNow() {
    if (!active_ || !hovered_)
        return;
    const QString text = hintAt(hovered_);
    if (text.isEmpty())
        return;
    moveOnTimer_.stop();
    box_.showText(text, globalPos_);
    expireTimer_.start();
}

} // namespace quendra::ui
