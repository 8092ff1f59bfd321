#include "Unit1.h"

#include "Artwork.h"
#include "ClassicMetrics.h"
#include "ControlStyle.h"
#include "DropDownAccessible.h"
#include "FieldMenu.h"
#include "FileChoosers.h"
#include "Hints.h"
#include "HoverHints.h"
#include "LaunchNotice.h"
#include "LayoutScale.h"
#include "Roles.h"
#include "WindowFont.h"
#include "WindowFrame.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <limits>

using quendra::ControlKind;
using quendra::ControlName;
using quendra::ControlState;
namespace control = quendra::control;
namespace form = quendra::form;
namespace ui = quendra::ui;

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString qs(ControlName name) {
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

// In the metrics the window's tables were drawn around.
template <typename Widget> Widget* styled(Widget* widget, QStyle* style) {
    widget->setStyle(style);
    return widget;
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

form::PixelRect pixelRect(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

form::WindowSystem windowSystem() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return form::WindowSystem::X11;
    if (platform.startsWith(QLatin1String("wayland")))
        return form::WindowSystem::Wayland;
    return form::WindowSystem::Other;
}

Qt::WindowFlags frameFlags() {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (form::kMinimizable)
        flags |= Qt::WindowMinimizeButtonHint;
    if (form::kMaximizable)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

TForm1::TForm1(quendra::EncoderLauncher& launcher, QWidget* parent)
    : QWidget(parent, frameFlags()), actions_(model_, launcher), walk_(model_, actions_, *this),
      ownNotice_(std::make_unique<ui::MessageBoxNotice>()), notice_(ownNotice_.get()) {
    Q_INIT_RESOURCE(quendra);
    ui::DropDownAccessible::install();
    setObjectName(qs(control::Form1));
    setWindowTitle(QString::fromUtf8(form::kCaption));
    setWindowIcon(ui::windowIcon());
    // The window's texts are English in every language: a right-to-left translation of Qt's own
    // texts (Arabic, Hebrew) turns Qt's dialogs and menus around, never the window.
    setLayoutDirection(Qt::LeftToRight);
    // The program's own font is the window's as well. Qt lays out a line edit's first, empty
    // text in the application's font before the edit takes its parent's; with the platform's
    // font there, the start loaded a second face only for that. The dialogs and the fields
    // whose text needs a shaper take the same face with one (see ui::fitFontToText).
    QApplication::setFont(ui::windowFont());
    setFont(ui::windowFont());
    scale_ = form::layoutScale(ui::measureText(font(), this), ui::designText());

    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);

    classicMetrics_ = new ui::ClassicMetrics(scale_);
    classicMetrics_->setParent(this);
    hints_ = new ui::HoverHints(model_, this);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setObjectName(QStringLiteral("Form1Scroll"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    // Two fingers pan the content on a touch screen, but only once the window is up: the gesture
    // the scroll area grabs would have every event of the start, to any control, go through Qt's
    // gesture recognition first.
    QWidget* viewport = scrollArea_->viewport();
    viewport->ungrabGesture(Qt::PanGesture);
    QTimer::singleShot(0, viewport, [viewport] { viewport->grabGesture(Qt::PanGesture); });
    client_ = new QWidget;
    client_->setObjectName(QStringLiteral("Form1Client"));
    // In place before any control exists, so that every control measures in the window's font.
    scrollArea_->setWidget(client_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);

    walk_.make(scale_);
    chainTabOrder();
    hints_->setFont(font());
    for (const form::Hint& h : form::hints())
        hints_->attach(widget({h.control}));

    const form::PixelRect content = form::scaled(form::clientExtent(), scale_);
    client_->setFixedSize(content.width, content.height);
    // The client area only: the window manager, or Qt's own decorations where the compositor
    // draws none, add whatever frame they draw around it. Made to fit the screen with the frame
    // assumed for the window system until the platform tells its own (placeOnScreen).
    if (windowSystem() != form::WindowSystem::Wayland)
        boundSize({});
    const QRect area = screen()->availableGeometry();
    const form::FrameExtents frame = form::frameToAllowFor(windowSystem(), {});
    const form::PixelRect fitted =
        placedAtStart({area.x() + frame.left, area.y() + frame.top, 0, 0}, frame, area).client;
    resize(fitted.width, fitted.height);
    normalSize_ = size();
    widget({form::initialFocus(model_)})->setFocus(Qt::OtherFocusReason);
}

TForm1::~TForm1() = default;

void TForm1::setLaunchFailureNotice(ui::LaunchFailureNotice& notice) {
    notice_ = &notice;
}

QWidget* TForm1::widget(const Part& part) const {
    if (part.button != Part::kWhole)
        return radioButtons_.find(part.control)->second.at(std::size_t(part.button));
    const auto found = widgets_.find(part.control);
    return found == widgets_.end() ? nullptr : found->second;
}

// --- making ---------------------------------------------------------------------------------

void TForm1::make(const form::Making& m) {
    QWidget* in = m.parent == control::Form1 ? client_ : widget({m.parent});
    QWidget* made = makeWidget(m.control, in, m.placing);
    add(m.control.name, made, m.placing);
    if (m.takesDrops)
        new ui::FileDropTarget(static_cast<QLineEdit*>(made), m.control.name, walk_);
    if (m.accessible && !m.accessible->name.empty())
        made->setAccessibleName(qs(m.accessible->name));
    if (m.accessible)
        made->setAccessibleDescription(qs(m.accessible->description));
}

// A made widget, named and placed.
void TForm1::add(ControlName name, QWidget* widget, const form::Placing& placing) {
    widget->setObjectName(qs(name));
    widgets_.emplace(name, widget);
    place({name}, placing({name}));
}

QWidget* TForm1::makeWidget(const ControlState& c, QWidget* parent, const form::Placing& placing) {
    const ControlName name = c.name;
    switch (c.kind) {
    case ControlKind::Label:
        return plainLabel(qs(c.caption), parent);
    case ControlKind::Edit: {
        auto* edit = styled(new QLineEdit(parent), classicMetrics_);
        edit->setMaxLength(std::numeric_limits<int>::max());
        connect(edit, &QLineEdit::textEdited, this, [this, name] { walk_.edited(name); });
        new ui::FieldMenu(edit);
        return edit;
    }
    case ControlKind::CheckBox:
        return clickable(styled(new QCheckBox(qs(c.caption), parent), classicMetrics_), {name});
    case ControlKind::DropDown:
        return makeDropDown(c, parent);
    case ControlKind::Button: {
        auto* button = new QPushButton(qs(c.caption), parent);
        button->setAutoDefault(false);
        return clickable(button, {name});
    }
    case ControlKind::Slider:
        return makeSlider(c, parent);
    case ControlKind::RadioGroup:
        return makeRadioGroup(c, parent, placing);
    case ControlKind::GroupBox:
        break;
    }
    return styled(new QGroupBox(qs(c.caption), parent), classicMetrics_);
}

QWidget* TForm1::clickable(QAbstractButton* button, const Part& part) {
    connect(button, &QAbstractButton::clicked, this, [this, part] { walk_.clicked(part); });
    return button;
}

QWidget* TForm1::makeDropDown(const ControlState& c, QWidget* parent) {
    auto* comboBox = styled(new ui::DropDownBox(parent), classicMetrics_);
    comboBox->setCompleter(nullptr); // completing is the core's, by its own rules
    comboBox->setInsertPolicy(QComboBox::NoInsert);
    comboBox->setMaxVisibleItems(form::kDropDownVisibleEntries);
    comboBox->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    QStringList items;
    items.reserve(static_cast<qsizetype>(c.items.size()));
    for (const std::string& item : c.items)
        items.append(qs(item));
    comboBox->addItems(items); // at once: one insertion into the list's model
    new ui::DropDownInput(comboBox, c.name, walk_);
    new ui::FieldMenu(comboBox->lineEdit());
    dropDowns_.emplace(c.name, ui::ComboBoxView(comboBox));
    return comboBox;
}

QWidget* TForm1::makeSlider(const ControlState& c, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(c.minimum, c.maximum);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(form::kSliderTickInterval);
    slider->setSingleStep(form::kSliderLineStep);
    slider->setPageStep(form::kSliderPageStep);
    styled(slider, classicMetrics_);
    connect(slider, &QSlider::valueChanged, this,
            [this, name = ControlName(c.name)] { walk_.moved(name); });
    return slider;
}

QWidget* TForm1::makeRadioGroup(const ControlState& c, QWidget* parent,
                                const form::Placing& placing) {
    QWidget* group = styled(new QGroupBox(qs(c.caption), parent), classicMetrics_);
    std::vector<QRadioButton*>& buttons = radioButtons_[c.name];
    for (std::size_t i = 0; i < c.items.size(); ++i) {
        buttons.push_back(styled(new QRadioButton(qs(c.items[i]), group), classicMetrics_));
        buttons.back()->setObjectName(qs(c.name) + QLatin1Char('_') + QString::number(i));
        clickable(buttons.back(), {c.name, int(i)});
        place({c.name, int(i)}, placing({c.name, int(i)}));
    }
    return group;
}

void TForm1::makePicture(const form::PicturePlacement& p, const form::Placing& placing) {
    auto* label = new QLabel(client_);
    label->setPixmap(ui::artwork(p.picture));
    label->setAlignment(Qt::AlignCenter);
    add(p.name, label, placing);
}

void TForm1::makeCreditLine(const form::CreditLine& c, const form::Placing& placing) {
    add(c.name, plainLabel(QString::fromUtf8(c.text), client_), placing);
}

void TForm1::chainTabOrder() {
    std::vector<QWidget*> chain;
    for (ControlName stop : form::tabWalk()) {
        if (const auto buttons = radioButtons_.find(stop); buttons != radioButtons_.end())
            chain.insert(chain.end(), buttons->second.begin(), buttons->second.end());
        else
            chain.push_back(widget({stop}));
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// --- placing and showing --------------------------------------------------------------------

// The room a control's caption needs, its mark included, as its style measures it.
int TForm1::captionRoom(const Part& part, ControlKind, const std::string&) {
    return widget(part)->sizeHint().width();
}

void TForm1::place(const Part& part, const form::ControlPlace& place) {
    const form::PixelRect& r = place.inParent;
    widget(part)->setGeometry(r.left, r.top, r.width, r.height);
}

bool TForm1::flag(const Part& part, Flag flag) const {
    const QWidget* w = widget(part);
    switch (flag) {
    case Flag::Visible:
        return !w->isHidden();
    case Flag::Enabled:
        return w->isEnabledTo(w->parentWidget());
    case Flag::Checked:
        break;
    }
    return static_cast<const QAbstractButton*>(w)->isChecked();
}

void TForm1::setFlag(const Part& part, Flag flag, bool on) {
    QWidget* w = widget(part);
    switch (flag) {
    case Flag::Visible:
        w->setVisible(on);
        break;
    case Flag::Enabled:
        w->setEnabled(on);
        break;
    case Flag::Checked:
        static_cast<QAbstractButton*>(w)->setChecked(on);
        break;
    }
}

void TForm1::setTabStop(const Part& button, bool on) {
    widget(button)->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

std::string TForm1::text(ControlName field) const {
    return static_cast<const QLineEdit*>(widget({field}))->text().toStdString();
}

void TForm1::setText(ControlName field, const std::string& text) {
    static_cast<QLineEdit*>(widget({field}))->setText(qs(text));
}

quendra::DropDownView& TForm1::dropDown(ControlName dropDown) {
    return dropDowns_.find(dropDown)->second;
}

int TForm1::position(ControlName slider) const {
    return static_cast<const QSlider*>(widget({slider}))->value();
}

void TForm1::setPosition(ControlName slider, int position) {
    static_cast<QSlider*>(widget({slider}))->setValue(position);
}

void TForm1::textMirrored(ControlName field) {
    QWidget* w = widget({field});
    auto* comboBox = qobject_cast<QComboBox*>(w);
    ui::fitFontToText(comboBox ? comboBox->lineEdit() : static_cast<QLineEdit*>(w));
}

// --- the person's choices and the window --------------------------------------------------

std::string TForm1::chooseFile(const form::ChooserSettings& settings) {
    return ui::chooseFile(this, settings).toStdString();
}

void TForm1::tellStartFailed(const std::string& text) {
    notice_->show(this, text);
}

void TForm1::followStartsIn(int milliseconds) {
    QTimer::singleShot(milliseconds, this, [this] { walk_.startsFollowed(); });
}

// Where no frame offers maximizing (a compositor's own frame, Qt's own on Wayland), a maximized
// window goes back to the size it had, made to fit its screen.
void TForm1::changeEvent(QEvent* event) {
    if (!form::kMaximizable && event->type() == QEvent::WindowStateChange &&
        windowState().testFlag(Qt::WindowMaximized)) {
        restoreTo_ = normalSize_;
        restoreTries_ = kRestoreTries;
        QTimer::singleShot(0, this, [this] {
            setWindowState(windowState() & ~Qt::WindowMaximized);
            resize(restoreTo_);
        });
        QTimer::singleShot(kRestoreMs, this, [this] { restoreTries_ = 0; });
    }
    QWidget::changeEvent(event);
}

bool TForm1::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    const QEvent::Type type = event->type();
    // On Wayland the window is made, with Qt's frame where Qt draws one, just after it is shown.
    const bool wayland = windowSystem() == form::WindowSystem::Wayland;
    if (!placedOnScreen_ && wayland && type == QEvent::Show)
        QTimer::singleShot(0, this, [this] { placeOnScreen(); });
    else if (!placedOnScreen_ && !wayland &&
             (type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize))
        placeOnScreen();
    if (type == QEvent::Resize && !isMaximized())
        keepNormalSize();
    return handled;
}

// The size a maximized window goes back to, and again where the platform's answer to leaving
// the maximized state brings another (a compositor's own idea of the earlier size) soon after.
void TForm1::keepNormalSize() {
    if (restoreTries_ > 0 && size() != restoreTo_) {
        --restoreTries_;
        QTimer::singleShot(0, this, [this] { resize(restoreTo_); });
        return;
    }
    // Taken once the platform's events of this turn are handled: a platform that maximizes may
    // tell the new size before the new state.
    QTimer::singleShot(0, this, [this] {
        if (isMaximized())
            return;
        const QRect area =
            (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
        normalSize_ = size().boundedTo(area.size());
    });
}

// No larger than the content with both scroll bars (form::largestClient). Qt 6.4 gives a Wayland
// compositor the client area's bound as the bound of the window with Qt's own frame: there the
// bound is larger by that frame, else the compositor keeps the client short of it.
void TForm1::boundSize(const form::FrameExtents& qtsFrame) {
    const form::PixelRect largest =
        form::largestClient(form::clientAtStart(scale_), form::scaled(form::clientExtent(), scale_),
                            scrollBarExtents());
    setMaximumSize(largest.width + qtsFrame.left + qtsFrame.right,
                   largest.height + qtsFrame.top + qtsFrame.bottom);
}

form::ScrollBarExtents TForm1::scrollBarExtents() const {
    return {scrollArea_->verticalScrollBar()->sizeHint().width(),
            scrollArea_->horizontalScrollBar()->sizeHint().height()};
}

// The start's client area at `client`'s place, fitted on `area` with `frame` around it.
form::WindowPlace TForm1::placedAtStart(const form::PixelRect& client,
                                        const form::FrameExtents& frame, const QRect& area) const {
    const form::PixelRect start = form::clientAtStart(scale_);
    return form::placeAtStart({client.left, client.top, start.width, start.height},
                              form::scaled(form::clientExtent(), scale_), scrollBarExtents(), frame,
                              pixelRect(area));
}

// Once the platform has told the frame it draws (on X11 when the window manager has framed the
// window), the whole window goes on the available area of its screen, smaller and moved where
// it must: a window manager neither shrinks nor moves a new window that does not fit.
//
// On Wayland the frame is known once the window is made: Qt's own, or none a program is told.
void TForm1::placeOnScreen() {
    const QRect outer = frameGeometry();
    const QRect client = geometry();
    const form::WindowSystem system = windowSystem();
    if (outer == client && system != form::WindowSystem::Wayland)
        return;
    placedOnScreen_ = true;
    const QScreen* on = QGuiApplication::screenAt(outer.center());
    const form::FrameExtents frame{client.left() - outer.left(), client.top() - outer.top(),
                                   outer.right() - client.right(),
                                   outer.bottom() - client.bottom()};
    if (system == form::WindowSystem::Wayland)
        boundSize(frame);
    const form::WindowPlace placed =
        placedAtStart(pixelRect(client), form::frameToAllowFor(system, frame),
                      (on ? on : screen())->availableGeometry());
    if (placed.client == pixelRect(client))
        return;
    resize(placed.client.width, placed.client.height);
    move(placed.outer.left, placed.outer.top);
}

void TForm1::hideEvent(QHideEvent* event) {
    hints_->hide();
    QWidget::hideEvent(event);
}
