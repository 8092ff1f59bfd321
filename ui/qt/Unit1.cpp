#include "Unit1.h"

#include "Artwork.h"
#include "CaptionPlace.h"
#include "ClassicMetrics.h"
#include "ControlStyle.h"
#include "DropDownAccessible.h"
#include "DropDownInput.h"
#include "FileChoosers.h"
#include "Hints.h"
#include "HoverHints.h"
#include "LaunchNotice.h"
#include "LayoutScale.h"
#include "Placements.h"
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
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

using quendra::ControlKind;
using quendra::ControlName;
using quendra::ControlState;
using quendra::Field;
namespace control = quendra::control;
namespace form = quendra::form;
namespace ui = quendra::ui;

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString qs(quendra::ControlName name) {
    return QString::fromUtf8(name.data(), qsizetype(name.size()));
}

void place(QWidget* widget, const form::PixelRect& rect) {
    widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

// The room a control's caption needs, its mark included, as its style measures it.
int captionRoom(const QWidget* widget) {
    return widget->sizeHint().width();
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
    : QWidget(parent, frameFlags()), actions_(model_, launcher),
      ownNotice_(std::make_unique<ui::MessageBoxNotice>()), notice_(ownNotice_.get()) {
    Q_INIT_RESOURCE(quendra);
    ui::DropDownAccessible::install();
    setObjectName(qs(control::Form1));
    setWindowTitle(QString::fromUtf8(form::kCaption));
    setWindowIcon(ui::windowIcon());
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
    client_ = new QWidget;
    client_->setObjectName(QStringLiteral("Form1Client"));
    // In place before any control exists, so that every control measures in the window's font.
    scrollArea_->setWidget(client_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);

    createControls();
    createDecorations();
    placeControls();
    chainTabOrder();
    model_.tellAll([this](const std::string& name, Field field) { mirror(name, field); });
    wireControls();
    attachHints();
    listener_ =
        model_.subscribe([this](const std::string& name, Field field) { mirror(name, field); });

    const form::PixelRect content = form::scaled(form::clientExtent(), scale_);
    client_->setFixedSize(content.width, content.height);
    // The client area only: the window manager, or Qt's own decorations where the compositor
    // draws none, add whatever frame they draw around it.
    const form::PixelRect start = form::clientAtStart(scale_);
    resize(start.width, start.height);
    widget(form::initialFocus(model_))->setFocus(Qt::OtherFocusReason);
}

TForm1::~TForm1() {
    model_.unsubscribe(listener_);
}

void TForm1::setLaunchFailureNotice(ui::LaunchFailureNotice& notice) {
    notice_ = &notice;
}

QWidget* TForm1::widget(ControlName name) const {
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

void TForm1::createControls() {
    for (const ControlState& c : model_.controls()) {
        const ControlName parentName = form::placementOf(c.name)->parent;
        QWidget* parent = parentName == control::Form1 ? client_ : widget(parentName);
        QWidget* widget = nullptr;
        switch (c.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(qs(c.caption), parent);
            label->setTextFormat(Qt::PlainText);
            widget = label;
            break;
        }
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(parent);
            edit->setMaxLength(std::numeric_limits<int>::max());
            widget = edit;
            break;
        }
        case ControlKind::CheckBox:
            widget = new QCheckBox(qs(c.caption), parent);
            widget->setStyle(classicMetrics_);
            break;
        case ControlKind::DropDown: {
            auto* comboBox = new ui::DropDownBox(parent);
            comboBox->setCompleter(nullptr); // completing is the core's, by its own rules
            comboBox->setInsertPolicy(QComboBox::NoInsert);
            comboBox->setMaxVisibleItems(form::kDropDownVisibleEntries);
            comboBox->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
            QStringList items;
            items.reserve(static_cast<qsizetype>(c.items.size()));
            for (const std::string& item : c.items)
                items.append(qs(item));
            comboBox->addItems(items); // at once: one insertion into the list's model
            widget = comboBox;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(qs(c.caption), parent);
            button->setAutoDefault(false);
            widget = button;
            break;
        }
        case ControlKind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal, parent);
            slider->setRange(c.minimum, c.maximum);
            slider->setTickPosition(QSlider::TicksBelow);
            slider->setTickInterval(form::kSliderTickInterval);
            slider->setSingleStep(form::kSliderLineStep);
            slider->setPageStep(form::kSliderPageStep);
            slider->setStyle(classicMetrics_);
            widget = slider;
            break;
        }
        case ControlKind::RadioGroup:
            widget = new QGroupBox(qs(c.caption), parent);
            widget->setStyle(classicMetrics_);
            createRadioButtons(widget, c);
            break;
        case ControlKind::GroupBox:
            widget = new QGroupBox(qs(c.caption), parent);
            widget->setStyle(classicMetrics_);
            break;
        }
        widget->setObjectName(qs(c.name));
        controls_.emplace(c.name, widget);
    }
    for (const auto& [name, widget] : controls_) {
        if (const std::string accessible = form::accessibleName(model_, name); !accessible.empty())
            widget->setAccessibleName(qs(accessible));
        widget->setAccessibleDescription(qs(form::accessibleDescription(model_, name)));
    }
}

void TForm1::createRadioButtons(QWidget* group, const ControlState& state) {
    std::vector<QRadioButton*>& buttons = radioButtons_[state.name];
    for (std::size_t i = 0; i < state.items.size(); ++i) {
        auto* button = new QRadioButton(qs(state.items[i]), group);
        button->setObjectName(qs(state.name) + QLatin1Char('_') + QString::number(i));
        button->setStyle(classicMetrics_);
        buttons.push_back(button);
    }
}

void TForm1::createDecorations() {
    for (const form::PicturePlacement& p : form::pictures()) {
        auto* label = new QLabel(client_);
        label->setObjectName(qs(p.name));
        label->setPixmap(ui::artwork(p.picture));
        label->setAlignment(Qt::AlignCenter);
        place(label, form::scaled(p.rect, scale_));
    }
    for (const form::CreditLine& c : form::creditLines()) {
        auto* label = new QLabel(client_);
        label->setObjectName(qs(c.name));
        label->setTextFormat(Qt::PlainText);
        label->setText(QString::fromUtf8(c.text));
        place(label, form::creditPlace(c, scale_, captionRoom(label)));
    }
}

void TForm1::placeControls() {
    for (const form::Placement& p : form::placements()) {
        const ControlState& state = model_.control(p.name);
        QWidget* control = widget(p.name);
        const int room = form::growsWithCaption(state.kind) ? captionRoom(control) : 0;
        place(control, form::captionPlace(model_, p.name, scale_, room));
    }
    for (const auto& [group, buttons] : radioButtons_)
        for (std::size_t i = 0; i < buttons.size(); ++i)
            place(buttons[i],
                  form::radioButtonPlace(model_, group, i, scale_, captionRoom(buttons[i])));
}

void TForm1::chainTabOrder() {
    std::vector<QWidget*> chain;
    for (ControlName stop : form::tabWalk()) {
        if (const auto buttons = radioButtons_.find(stop); buttons != radioButtons_.end())
            chain.insert(chain.end(), buttons->second.begin(), buttons->second.end());
        else
            chain.push_back(widget(stop));
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::wireControls() {
    quendra::EventWiring& input = actions_.input();
    for (const ControlState& c : model_.controls()) {
        const std::string name = c.name;
        QWidget* widget = this->widget(name);
        switch (c.kind) {
        case ControlKind::CheckBox:
            connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
                    [&input, name](bool checked) { input.checkedChanged(name, checked); });
            break;
        case ControlKind::RadioGroup: {
            const std::vector<QRadioButton*>& buttons = radioButtons_.at(name);
            for (std::size_t i = 0; i < buttons.size(); ++i)
                connect(buttons[i], &QRadioButton::clicked, this,
                        [&input, name, i] { input.itemIndexChanged(name, static_cast<int>(i)); });
            break;
        }
        case ControlKind::Slider:
            connect(static_cast<QSlider*>(widget), &QSlider::valueChanged, this,
                    [&input, name](int position) { input.positionChanged(name, position); });
            break;
        case ControlKind::Edit: {
            auto* edit = static_cast<QLineEdit*>(widget);
            connect(edit, &QLineEdit::textEdited, this, [&input, name](const QString& text) {
                input.textChanged(name, text.toStdString());
            });
            if (form::takesDroppedFiles(name))
                new ui::FileDropTarget(edit, [this, name](const QString& path) {
                    actions_.fileChosen(name, path.toStdString());
                });
            break;
        }
        case ControlKind::DropDown:
            new ui::DropDownInput(static_cast<QComboBox*>(widget), name, input);
            break;
        case ControlKind::Button:
            wireButton(static_cast<QPushButton*>(widget), name);
            break;
        case ControlKind::Label:
        case ControlKind::GroupBox:
            break;
        }
    }
}

void TForm1::wireButton(QPushButton* button, ControlName name) {
    const form::ButtonRole role = form::buttonRole(name);
    switch (role.action) {
    case form::ButtonAction::StartEncoding:
        connect(button, &QPushButton::clicked, this, &TForm1::Button1Click);
        break;
    case form::ButtonAction::ChooseFile:
        connect(button, &QPushButton::clicked, this,
                [this, chooser = role.chooser] { chooseFile(chooser); });
        break;
    case form::ButtonAction::None:
        break;
    }
}

void TForm1::attachHints() {
    hints_->setFont(font());
    for (const form::Hint& h : form::hints())
        hints_->attach(widget(h.control));
}

void TForm1::mirror(const std::string& name, Field field) {
    QWidget* widget = this->widget(name);
    if (!widget)
        return;
    const ControlState& state = model_.control(name);
    const QSignalBlocker block(widget);
    switch (field) {
    case Field::Visible:
        if (widget->isHidden() == state.visible)
            widget->setVisible(state.visible);
        break;
    case Field::Enabled:
        if (widget->isEnabledTo(widget->parentWidget()) != state.enabled)
            widget->setEnabled(state.enabled);
        break;
    case Field::Text:
    case Field::CurrentEntry:
        if (auto* comboBox = qobject_cast<QComboBox*>(widget)) {
            ui::ComboBoxView(comboBox).mirror(state);
            ui::fitFontToText(comboBox->lineEdit());
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (edit->text() != qs(state.text))
                edit->setText(qs(state.text));
            ui::fitFontToText(edit);
        }
        break;
    case Field::Checked:
        if (auto* box = qobject_cast<QCheckBox*>(widget); box && box->isChecked() != state.checked)
            box->setChecked(state.checked);
        break;
    case Field::ItemIndex:
        if (const auto buttons = radioButtons_.find(name);
            buttons != radioButtons_.end() && state.itemIndex >= 0 &&
            state.itemIndex < int(buttons->second.size())) {
            QRadioButton* button = buttons->second[std::size_t(state.itemIndex)];
            const QSignalBlocker blockButton(button);
            if (!button->isChecked())
                button->setChecked(true);
            // Tab enters a radio group at its selected button.
            for (QRadioButton* other : buttons->second)
                other->setFocusPolicy(other == button ? Qt::StrongFocus : Qt::ClickFocus);
        }
        break;
    case Field::Position:
        if (auto* slider = qobject_cast<QSlider*>(widget);
            slider && slider->value() != state.position)
            slider->setValue(state.position);
        break;
    }
}

void TForm1::Button1Click() {
    if (const quendra::StartOutcome outcome = actions_.startEncoding(); !outcome.started)
        notice_->show(this, outcome.failureText);
}

void TForm1::chooseFile(form::Chooser chooser) {
    const form::ChooserSettings& settings = form::chooserSettings(chooser);
    if (const QString path = ui::chooseFile(this, settings); !path.isEmpty())
        actions_.chooserConfirmed(settings.field, path.toStdString());
}

void TForm1::changeEvent(QEvent* event) {
    if (!form::kMaximizable && event->type() == QEvent::WindowStateChange &&
        windowState().testFlag(Qt::WindowMaximized))
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
    QWidget::changeEvent(event);
}

void TForm1::hideEvent(QHideEvent* event) {
    hints_->hide();
    QWidget::hideEvent(event);
}
