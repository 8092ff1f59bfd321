#include "ClassicMetrics.h"

#include "ControlLines.h"
#include "ControlStyle.h"
#include "LayoutScale.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QStyleOptionSlider>

namespace quendra::ui {

namespace {

// Fusion, or a style that wraps it (qt6ct's does).
bool isFusion(const QStyle* style) {
    while (const auto* wrapper = qobject_cast<const QProxyStyle*>(style))
        style = wrapper->baseStyle();
    return style->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

// The focus Fusion shows after a key press: an outline in the highlight, kept as it is.
bool focusShown(const QStyleOption& option) {
    return option.state.testFlag(QStyle::State_HasFocus) &&
           option.state.testFlag(QStyle::State_KeyboardFocusChange);
}

} // namespace

ClassicMetrics::ClassicMetrics(double scale)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), scale_(scale),
      drawsLines_(isFusion(baseStyle())) {}

QPalette ClassicMetrics::paletteForBaseStyle(const QPalette& palette) const {
    if (palette.cacheKey() == applicationPalette_.cacheKey())
        return palette;
    if (!lastWithout_ || lastWithout_->key != palette.cacheKey())
        lastWithout_ = WithoutFaceLines{palette.cacheKey(), ui::withoutFaceLines(palette)};
    QPalette without = lastWithout_->palette; // the colour group in use is not the palette's key
    without.setCurrentColorGroup(palette.currentColorGroup());
    return without;
}

const ClassicMetrics::LineColours& ClassicMetrics::lineColours(const QPalette& palette) const {
    if (!lastColours_.line.isValid() || lastColours_.palette != palette.cacheKey())
        lastColours_ = {palette.cacheKey(), ui::lineColour(palette), ui::tickColour(palette)};
    return lastColours_;
}

int ClassicMetrics::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const {
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return form::scaled(form::kIndicatorSize, scale_);
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return form::scaled(form::kIndicatorCaptionGap, scale_);
    case PM_SliderLength:
        return form::scaled(form::kSliderThumbLength, scale_);
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QRect ClassicMetrics::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                     SubControl subControl, const QWidget* widget) const {
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !group)
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    const QRect all = option->rect;
    const int textHeight = option->fontMetrics.height();
    const int gap = form::scaled(form::kGroupCaptionGap, scale_);
    switch (subControl) {
    case SC_GroupBoxLabel:
        if (group->text.isEmpty())
            return {};
        return {all.left() + form::scaled(form::kGroupCaptionIndent, scale_) - gap, all.top(),
                option->fontMetrics.horizontalAdvance(group->text) + 2 * gap, textHeight};
    case SC_GroupBoxFrame:
        return all.adjusted(0, textHeight / 2, 0, 0);
    case SC_GroupBoxContents:
        return all.adjusted(gap, textHeight + gap, -gap, -gap);
    default:
        return QProxyStyle::subControlRect(control, option, subControl, widget);
    }
}

void ClassicMetrics::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    if (const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        control == CC_GroupBox && group) {
        drawGroupBox(*group, painter, widget);
        return;
    }
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control == CC_Slider && slider && drawsLines_ && !focusShown(*option)) {
        QStyleOptionSlider without = *slider;
        without.palette = paletteForBaseStyle(option->palette);
        QProxyStyle::drawComplexControl(control, &without, painter, widget);
        const LineColours& colours = lineColours(option->palette);
        ui::drawSliderLines(painter, *this, *slider, widget, colours.line, colours.tick);
        return;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    // An editable drop-down is a field: its arrow's part has the button's lines, drawn over.
    const auto* dropDown = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control == CC_ComboBox && dropDown && dropDown->editable && dropDown->frame &&
        drawsLines_ && !option->state.testFlag(State_HasFocus))
        ui::drawFieldOutline(painter, option->rect, lineColours(option->palette).line);
}

void ClassicMetrics::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    const bool line = element == PE_IndicatorCheckBox || element == PE_IndicatorRadioButton ||
                      element == PE_FrameLineEdit;
    if (!line || !drawsLines_ || focusShown(*option) ||
        (element == PE_FrameLineEdit && option->state.testFlag(State_HasFocus))) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // A copy of the option's own kind (a button's, a frame's) without the face's lines.
    const auto drawWithout = [&](auto copy) {
        copy.palette = paletteForBaseStyle(option->palette);
        QProxyStyle::drawPrimitive(element, &copy, painter, widget);
    };
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option))
        drawWithout(*button);
    else if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option))
        drawWithout(*frame);
    else
        drawWithout(*option);
    if (element == PE_FrameLineEdit)
        ui::drawFieldOutline(painter, option->rect, lineColours(option->palette).line);
    else
        ui::drawMarkOutline(painter, element, option->rect, lineColours(option->palette).line);
}

void ClassicMetrics::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                  const QPalette& palette, bool enabled, const QString& text,
                                  QPalette::ColorRole textRole) const {
    QProxyStyle::drawItemText(painter, rect, flags | Qt::TextForceLeftToRight, palette, enabled,
                              text, textRole);
}

void ClassicMetrics::drawGroupBox(const QStyleOptionGroupBox& group, QPainter* painter,
                                  const QWidget* widget) const {
    const QStyleOptionComplex* option = &group;
    const ComplexControl control = CC_GroupBox;
    const QRect label = subControlRect(control, option, SC_GroupBoxLabel, widget);
    painter->save();
    // The frame line stops on either side of the caption.
    painter->setClipRegion(QRegion(option->rect).subtracted(QRegion(label)));
    // Drawn here rather than by the base style, which would put the line below the caption.
    const QRectF frame = QRectF(subControlRect(control, option, SC_GroupBoxFrame, widget))
                             .adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor face = option->palette.color(QPalette::Window);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setBrush(Qt::NoBrush);
    strokeRoundedFrame(painter, frame.adjusted(1, 1, 0, 0), face.lighter(112));
    strokeRoundedFrame(painter, frame.adjusted(0, 0, -1, -1), lineColours(option->palette).line);
    painter->restore();
    if (!group.text.isEmpty())
        proxy()->drawItemText(painter, label, Qt::AlignCenter | Qt::TextShowMnemonic, group.palette,
                              group.state.testFlag(State_Enabled), group.text,
                              QPalette::WindowText);
}

} // namespace quendra::ui
