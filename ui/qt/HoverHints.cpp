#include "HoverHints.h"

#include "FormModel.h"
#include "Hints.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QToolTip>

namespace quendra::ui {

namespace {

// The events that tell of what a person does with the keys, the mouse's buttons and the wheel.
struct InputEvent {
    QEvent::Type type;
    form::PersonInput input;
};
constexpr InputEvent kInputEvents[] = {
    {QEvent::MouseButtonPress, form::PersonInput::ButtonDown},
    {QEvent::MouseButtonDblClick, form::PersonInput::ButtonDown},
    {QEvent::MouseButtonRelease, form::PersonInput::ButtonUp},
    {QEvent::Wheel, form::PersonInput::Wheel},
    {QEvent::KeyPress, form::PersonInput::KeyDown},
    {QEvent::KeyRelease, form::PersonInput::KeyUp},
};

} // namespace

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
    const form::ScreenPoint at =
        form::tipPlace({globalPos.x(), globalPos.y()}, size.width(), size.height(),
                       {area.x(), area.y(), area.width(), area.height()});
    move(at.x, at.y);
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

HoverHints::HoverHints(const FormModel& model, QObject* parent)
    : QObject(parent), model_(model), machine_(model, *this) {
    for (int i = 0; i < 3; ++i) {
        timers_[i].setSingleShot(true);
        connect(&timers_[i], &QTimer::timeout, this,
                [this, i] { machine_.timerFired(form::HintTimer(i)); });
    }
}

HoverHints::~HoverHints() = default;

void HoverHints::attach(QWidget* control) {
    owners_.insert(control->objectName(), control);
    control->installEventFilter(this);
    for (QWidget* child : control->findChildren<QWidget*>())
        child->installEventFilter(this);
}

ControlName HoverHints::controlOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget()) {
        const QByteArray name = w->objectName().toUtf8();
        if (model_.has(std::string_view(name.constData(), std::size_t(name.size()))))
            return model_.control(std::string_view(name.constData(), std::size_t(name.size())))
                .name;
    }
    return {};
}

QString HoverHints::hintAt(const QWidget* widget) const {
    const ControlName control = controlOf(widget);
    const char* text = control.empty() ? nullptr : form::hintOver(model_, control);
    return text ? QString::fromUtf8(text) : QString();
}

QWidget* HoverHints::activeControl() const {
    const ControlName active = machine_.active();
    return owners_.value(QString::fromUtf8(active.data(), qsizetype(active.size())), nullptr);
}

bool HoverHints::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    for (const InputEvent& e : kInputEvents)
        if (e.type == event->type())
            machine_.input(e.input);
    switch (event->type()) {
    case QEvent::Enter:
        pointerAt(widget, static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseMove:
        pointerAt(widget, static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Leave:
        // Out to the widget around it; a neighbour's Enter follows where the mouse went on.
        pointerAt(widget->parentWidget(), globalPos_);
        break;
    case QEvent::ToolTip:
        return true; // the toolkit's own tooltips never show here
    default:
        break;
    }
    return false;
}

void HoverHints::pointerAt(const QWidget* widget, const QPoint& globalPos) {
    globalPos_ = globalPos;
    machine_.pointerAt(controlOf(widget), {globalPos.x(), globalPos.y()});
}

void HoverHints::showTip(const char* text, form::ScreenPoint pointer) {
    box_.showText(QString::fromUtf8(text), QPoint(pointer.x, pointer.y));
}

void HoverHints::startTimer(form::HintTimer timer, int ms) {
    timers_[int(timer)].start(ms);
}

void HoverHints::stopTimer(form::HintTimer timer) {
    timers_[int(timer)].stop();
}

} // namespace quendra::ui
