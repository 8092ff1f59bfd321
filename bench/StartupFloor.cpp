// The floor of the window's start: the same Qt widgets, made from the placement table in the
// window's font and style, each in its state at start-up (caption or text, entries, checked,
// selected, shown, enabled, a slider's range and position: what is drawn), shown and ending the
// same way. Nothing else: no model, rules, hints, accessibility, drop-down typing, caption
// measuring, scrolling, icon or tab chain, and the style's own boundaries instead of the lines
// the window draws over them; each control sits at its table place in its parent.
#include "Artwork.h"
#include "ClassicMetrics.h"
#include "ControlStyle.h"
#include "ControlTable.h"
#include "DropDownInput.h"
#include "FirstFrame.h"
#include "FirstFrameReport.h"
#include "Placements.h"
#include "WindowFont.h"
#include "WindowFrame.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <map>
#include <string>

using quendra::ControlKind;
using quendra::ControlState;
namespace form = quendra::form;
namespace ui = quendra::ui;

namespace {

// The window's metrics and group frames, with the base style's own lines on every other
// boundary, as a program that draws no lines of its own would show them.
class FloorStyle : public ui::ClassicMetrics {
public:
    using ClassicMetrics::ClassicMetrics;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        if (control == CC_GroupBox)
            ClassicMetrics::drawComplexControl(control, option, painter, widget);
        else
            QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename Widget> Widget* styled(Widget* widget, QStyle* style) {
    widget->setStyle(style);
    return widget;
}

QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* makeDropDown(const ControlState& c, QWidget* parent, QStyle* style) {
    auto* box = styled(new ui::DropDownBox(parent), style);
    QStringList items;
    for (const std::string& item : c.items)
        items.append(qs(item));
    box->addItems(items);
    const QString text = qs(c.text);
    const int shown = box->findText(text);
    box->setCurrentIndex(shown >= 0 ? shown : c.currentEntry);
    box->setEditText(text);
    return box;
}

QWidget* makeSlider(const ControlState& c, QWidget* parent, QStyle* style) {
    auto* slider = styled(new QSlider(Qt::Horizontal, parent), style);
    slider->setRange(c.minimum, c.maximum);
    slider->setValue(c.position);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(form::kSliderTickInterval);
    return slider;
}

QWidget* makeRadioGroup(const ControlState& c, QWidget* parent, QStyle* style,
                        const form::PixelRect& table, double scale) {
    auto* group = styled(new QGroupBox(qs(c.caption), parent), style);
    const auto buttons = form::radioButtonRects(table.width, table.height, int(c.items.size()));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* button = styled(new QRadioButton(qs(c.items[i]), group), style);
        button->setChecked(int(i) == c.itemIndex);
        const form::PixelRect r = form::scaled(buttons[i], scale);
        button->setGeometry(r.left, r.top, r.width, r.height);
    }
    return group;
}

QWidget* makeControl(const ControlState& c, QWidget* parent, QStyle* style,
                     const form::PixelRect& table, double scale) {
    switch (c.kind) {
    case ControlKind::Label:
        return plainLabel(qs(c.caption), parent);
    case ControlKind::Edit:
        return styled(new QLineEdit(qs(c.text), parent), style);
    case ControlKind::CheckBox: {
        auto* box = styled(new QCheckBox(qs(c.caption), parent), style);
        box->setChecked(c.checked);
        return box;
    }
    case ControlKind::DropDown:
        return makeDropDown(c, parent, style);
    case ControlKind::Button: {
        auto* button = new QPushButton(qs(c.caption), parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Slider:
        return makeSlider(c, parent, style);
    case ControlKind::RadioGroup:
        return makeRadioGroup(c, parent, style, table, scale);
    case ControlKind::GroupBox:
        break;
    }
    return styled(new QGroupBox(qs(c.caption), parent), style);
}

void place(QWidget* widget, const form::PixelRect& table, double scale) {
    const form::PixelRect r = form::scaled(table, scale);
    widget->setGeometry(r.left, r.top, r.width, r.height);
}

} // namespace

int main(int argc, char* argv[]) {
    ui::reportToStarter("main");
    QApplication application(argc, argv);
    QApplication::setFont(ui::windowFont());
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(form::kCaption));
    window.setFont(ui::windowFont());
    const double scale = form::layoutScale(ui::measureText(window.font()), ui::designText());
    QPalette buttonFace = window.palette();
    buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
    window.setPalette(buttonFace);
    auto* style = new FloorStyle(scale);
    style->setParent(&window);

    std::map<std::string, QWidget*> made{{std::string(quendra::control::Form1), &window}};
    const std::vector<ControlState> states = quendra::initialControls();
    for (const form::Placement& p : form::placements())
        for (const ControlState& c : states)
            if (c.name == p.name) {
                QWidget* widget =
                    makeControl(c, made.at(std::string(p.parent)), style, p.rect, scale);
                place(widget, p.rect, scale);
                // Shown with the window, enabled, unless the state says otherwise.
                if (!c.enabled)
                    widget->setEnabled(false);
                if (!c.visible)
                    widget->hide();
                made.emplace(c.name, widget);
            }
    for (const form::PicturePlacement& p : form::pictures()) {
        auto* picture = new QLabel(&window);
        picture->setPixmap(ui::artwork(p.picture));
        picture->setAlignment(Qt::AlignCenter);
        place(picture, p.rect, scale);
    }
    for (const form::CreditLine& c : form::creditLines())
        place(plainLabel(QString::fromUtf8(c.text), &window), c.rect, scale);

    const form::PixelRect client = form::clientAtStart(scale);
    window.resize(client.width, client.height);
    quendra::bench::quitAfterFirstFrame(window);
    window.show();
    return QApplication::exec();
}
