#include "Unit1.h"

#include "Artwork.h"
#include "ClassicMetrics.h"
#include "CommandBuilder.h"
#include "DropDownInput.h"
#include "FileChoosers.h"
#include "FormTables.h"
#include "HoverHints.h"
#include "LaunchNotice.h"
#include "LayoutScale.h"
#include "WindowFont.h"

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
#include <QWindow>

#include <algorithm>
#include <functional>
#include <limits>

using quendra::ControlKind;
using quendra::ControlState;
using quendra::Field;
namespace ui = quendra::ui;

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void place(QWidget* widget, const ui::PixelRect& rect) {
    widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

// A caption is never clipped: a label or box whose text needs more room than the table gives
// grows to the right, the way an auto-sized label would.
void placeCaptioned(QWidget* widget, ui::PixelRect rect) {
    if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget) ||
        qobject_cast<QRadioButton*>(widget))
        rect.width = std::max(rect.width, widget->sizeHint().width());
    place(widget, rect);
}

// The extent of everything on the window, with the left margin repeated right and below.
ui::PixelRect clientExtent() {
    int right = 0;
    int bottom = 0;
    int margin = std::numeric_limits<int>::max();
    auto grow = [&](const ui::PixelRect& r) {
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
        margin = std::min(margin, r.left);
    };
    for (const ui::Placement& p : ui::placements())
        if (std::string_view(p.parent) == quendra::kWindow)
            grow(p.rect);
    for (const ui::Decoration& d : ui::decorations())
        grow(d.rect);
    return {0, 0, right + margin, bottom + margin};
}

} // namespace

TForm1::TForm1(quendra::EncoderLauncher& launcher, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      wiring_(model_), launcher_(&launcher), ownNotice_(std::make_unique<ui::MessageBoxNotice>()),
      notice_(ownNotice_.get()) {
    Q_INIT_RESOURCE(quendra);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(ui::kCaption));
    setWindowIcon(ui::windowIcon());
    // The program's own font is the window's as well. Qt lays out a line edit's first, empty
    // text in the application's font before the edit takes its parent's; with the platform's
    // font there, the start loaded a second face only for that. The dialogs and the fields
    // whose text needs a shaper take the same face with one (see ui::fitFontToText).
    QApplication::setFont(ui::windowFont());
    setFont(ui::windowFont());
    scale_ = ui::layoutScale(ui::measureText(font(), this), ui::designText());

    QPalette buttonFace = palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    setPalette(buttonFace);

    classicMetrics_ = new ui::ClassicMetrics(scale_);
    classicMetrics_->setParent(this);
    hints_ = new ui::HoverHints(this);

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
    for (const ControlState& c : model_.controls())
        for (Field f : {Field::Visible, Field::Enabled, Field::Text, Field::CurrentEntry,
                        Field::Checked, Field::ItemIndex, Field::Position})
            mirror(c.name, f);
    wireControls();
    attachHints();
    listener_ =
        model_.subscribe([this](const std::string& name, Field field) { mirror(name, field); });

    const ui::PixelRect client = ui::scaled(clientExtent(), scale_);
    client_->setFixedSize(client.width, client.height);
    resize(ui::kOuterWidth - ui::kAssumedFrameWidth, ui::kOuterHeight - ui::kAssumedFrameHeight);
    controls_.at("Edit01")->setFocus(Qt::OtherFocusReason);
}

TForm1::~TForm1() {
    model_.unsubscribe(listener_);
}

void TForm1::setLaunchFailureNotice(ui::LaunchFailureNotice& notice) {
    notice_ = &notice;
}

void TForm1::createControls() {
    for (const ControlState& c : model_.controls()) {
        QWidget* parent = c.parent == quendra::kWindow ? client_ : controls_.at(c.parent);
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
            comboBox->setMaxVisibleItems(8);
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
            slider->setTickInterval(1);
            slider->setSingleStep(1);
            slider->setPageStep(2);
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
    for (const ui::AccessibleName& a : ui::accessibleNames())
        controls_.at(a.control)->setAccessibleName(QString::fromUtf8(a.name));
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
    for (const ui::Decoration& d : ui::decorations()) {
        auto* label = new QLabel(client_);
        label->setObjectName(QString::fromUtf8(d.name));
        if (d.resource) {
            label->setPixmap(ui::artwork(d.resource));
            label->setAlignment(Qt::AlignCenter);
        } else {
            label->setTextFormat(Qt::PlainText);
            label->setText(QString::fromUtf8(d.text));
        }
        placeCaptioned(label, ui::scaled(d.rect, scale_));
    }
}

void TForm1::placeControls() {
    for (const ui::Placement& p : ui::placements())
        placeCaptioned(controls_.at(p.name), ui::scaled(p.rect, scale_));
    for (const auto& [group, buttons] : radioButtons_) {
        const ui::PixelRect frame = ui::placementOf(group)->rect;
        const std::vector<ui::PixelRect> rects =
            ui::radioButtonRects(frame.width, frame.height, static_cast<int>(buttons.size()));
        for (std::size_t i = 0; i < buttons.size(); ++i)
            placeCaptioned(buttons[i], ui::scaled(rects[i], scale_));
    }
}

void TForm1::chainTabOrder() {
    std::vector<QWidget*> chain;
    std::function<void(std::string_view)> walk = [&](std::string_view parent) {
        std::vector<const ui::Placement*> children;
        for (const ui::Placement& p : ui::placements())
            if (parent == p.parent && p.tabOrder >= 0)
                children.push_back(&p);
        std::sort(children.begin(), children.end(),
                  [](const auto* a, const auto* b) { return a->tabOrder < b->tabOrder; });
        for (const ui::Placement* p : children) {
            switch (model_.control(p->name).kind) {
            case ControlKind::GroupBox:
                walk(p->name);
                break;
            case ControlKind::RadioGroup:
                for (QRadioButton* button : radioButtons_.at(p->name))
                    chain.push_back(button);
                break;
            default:
                chain.push_back(controls_.at(p->name));
                break;
            }
        }
    };
    walk(quendra::kWindow);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void TForm1::wireControls() {
    for (const ControlState& c : model_.controls()) {
        const std::string name = c.name;
        QWidget* widget = controls_.at(name);
        switch (c.kind) {
        case ControlKind::CheckBox:
            connect(static_cast<QCheckBox*>(widget), &QCheckBox::clicked, this,
                    [this, name](bool checked) { wiring_.checkedChanged(name, checked); });
            break;
        case ControlKind::RadioGroup: {
            const std::vector<QRadioButton*>& buttons = radioButtons_.at(name);
            for (std::size_t i = 0; i < buttons.size(); ++i)
                connect(buttons[i], &QRadioButton::clicked, this,
                        [this, name, i] { wiring_.itemIndexChanged(name, static_cast<int>(i)); });
            break;
        }
        case ControlKind::Slider:
            connect(static_cast<QSlider*>(widget), &QSlider::valueChanged, this,
                    [this, name](int position) { wiring_.positionChanged(name, position); });
            break;
        case ControlKind::Edit: {
            auto* edit = static_cast<QLineEdit*>(widget);
            connect(edit, &QLineEdit::textEdited, this,
                    [this, name](const QString& text) { storeText(name, text); });
            if (name == "Edit01" || name == "Edit02")
                new ui::FileDropTarget(
                    edit, [this, name](const QString& path) { storeText(name, path); });
            break;
        }
        case ControlKind::DropDown:
            new ui::DropDownInput(static_cast<QComboBox*>(widget), name, wiring_);
            break;
        case ControlKind::Button: {
            auto* button = static_cast<QPushButton*>(widget);
            if (name == "Button1")
                connect(button, &QPushButton::clicked, this, &TForm1::Button1Click);
            else if (name == "Button2")
                connect(button, &QPushButton::clicked, this, &TForm1::Button2Click);
            else if (name == "Button3")
                connect(button, &QPushButton::clicked, this, &TForm1::Button3Click);
            break;
        }
        case ControlKind::Label:
        case ControlKind::GroupBox:
            break;
        }
    }
}

void TForm1::attachHints() {
    hints_->setFont(font());
    for (const ui::Hint& h : ui::hints()) {
        QWidget* control = controls_.at(h.control);
        const QString text = QString::fromUtf8(h.text);
        hints_->attach(control, text);
        control->setAccessibleDescription(text);
    }
}

// Typed text, a dropped file and a chosen file all enter the model the same way.
void TForm1::storeText(const std::string& name, const QString& text) {
    wiring_.textChanged(name, text.toStdString());
}

void TForm1::mirror(const std::string& name, Field field) {
    const auto found = controls_.find(name);
    if (found == controls_.end())
        return;
    QWidget* widget = found->second;
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
            mirrorDropDown(comboBox, state);
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

void TForm1::mirrorDropDown(QComboBox* comboBox, const ControlState& state) {
    QLineEdit* line = comboBox->lineEdit();
    const QSignalBlocker blockLine(line);
    const QString shown = line->text();
    const int caret = line->cursorPosition();
    const int selectionStart = line->selectionStart();
    const int selectionLength = line->selectedText().size();
    // Making an entry current rewrites the line with the entry's text; the model's text wins.
    if (comboBox->currentIndex() != state.currentEntry)
        comboBox->setCurrentIndex(state.currentEntry);
    if (line->text() != qs(state.text))
        line->setText(qs(state.text));
    // Where only the current entry changed, the person's caret and selection stay where they were.
    if (line->text() != shown)
        return;
    if (selectionLength > 0 && caret == selectionStart)
        line->setSelection(selectionStart + selectionLength, -selectionLength);
    else if (selectionLength > 0)
        line->setSelection(selectionStart, selectionLength);
    else
        line->setCursorPosition(caret);
}

void TForm1::Button1Click() {
    const quendra::EncoderCommand command = quendra::CommandBuilder::build(model_);
    const quendra::LaunchResult result = launcher_->launch(command);
    if (!result.started)
        notice_->show(this, result);
}

void TForm1::Button2Click() {
    if (const QString path = ui::chooseInputFile(this); !path.isEmpty())
        storeText("Edit01", path);
}

void TForm1::Button3Click() {
    if (const QString path = ui::chooseOutputFile(this); !path.isEmpty())
        storeText("Edit02", path);
}

bool TForm1::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
        QTimer::singleShot(0, this, &TForm1::fitOuterSize);
        break;
    case QEvent::Move:
    case QEvent::Resize:
        if (!frameFitted_ && isVisible())
            fitOuterSize();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TForm1::fitOuterSize() {
    // The outer size is fixed; the client area is what the platform's frame leaves of it.
    const QWindow* window = windowHandle();
    const QMargins frame = window ? window->frameMargins() : QMargins();
    if (frameFitted_ || frame.isNull())
        return;
    frameFitted_ = true;
    resize(ui::kOuterWidth - frame.left() - frame.right(),
           ui::kOuterHeight - frame.top() - frame.bottom());
}

void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && windowState().testFlag(Qt::WindowMaximized))
        QTimer::singleShot(0, this,
                           [this] { setWindowState(windowState() & ~Qt::WindowMaximized); });
    QWidget::changeEvent(event);
}

void TForm1::hideEvent(QHideEvent* event) {
    hints_->hide();
    QWidget::hideEvent(event);
}
