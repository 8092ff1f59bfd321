#include "ClassicMetrics.h"

#include "ControlStyle.h"
#include "LayoutScale.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

namespace quendra::ui {

namespace {

// Strokes, anti-aliased with a 1-pixel pen, a rectangle with corners of radius 2 whose edges lie
// on pixel centres. The pixels are those of QPainter::drawRoundedRect, which sets them one by
// one along the whole outline; here only the corners are drawn that way, clipped to the corner
// squares, from a small rectangle with the same corner, and the straight edges between them,
// which the stroke covers whole, are filled.
void strokeRoundedFrame(QPainter* painter, const QRectF& outline, const QColor& color) {
    constexpr qreal kRadius = 2;
    constexpr int kCorner = 4; // the square at each corner that the rounding touches
    painter->setPen(QPen(color, 1));
    painter->setRenderHint(QPainter::Antialiasing);
    const QRect pixels = outline.adjusted(-0.5, -0.5, 0.5, 0.5).toRect();
    if (pixels.width() <= 2 * kCorner || pixels.height() <= 2 * kCorner) {
        painter->drawRoundedRect(outline, kRadius, kRadius);
        return;
    }
    // Whole pixels: the same without anti-aliasing, which only makes filling slower.
    painter->setRenderHint(QPainter::Antialiasing, false);
    const int across = pixels.width() - 2 * kCorner;
    const int down = pixels.height() - 2 * kCorner;
    painter->fillRect(QRect(pixels.left() + kCorner, pixels.top(), across, 1), color);
    painter->fillRect(QRect(pixels.left() + kCorner, pixels.bottom(), across, 1), color);
    painter->fillRect(QRect(pixels.left(), pixels.top() + kCorner, 1, down), color);
    painter->fillRect(QRect(pixels.right(), pixels.top() + kCorner, 1, down), color);
    painter->setRenderHint(QPainter::Antialiasing);
    const int small = 2 * kCorner + 1;
    for (const bool right : {false, true}) {
        for (const bool bottom : {false, true}) {
            const int x = right ? pixels.right() + 1 - small : pixels.left();
            const int y = bottom ? pixels.bottom() + 1 - small : pixels.top();
            painter->save();
            painter->setClipRect(QRect(right ? pixels.right() + 1 - kCorner : pixels.left(),
                                       bottom ? pixels.bottom() + 1 - kCorner : pixels.top(),
                                       kCorner, kCorner),
                                 Qt::IntersectClip);
            painter->drawRoundedRect(QRectF(x + 0.5, y + 0.5, small - 1, small - 1), kRadius,
                                     kRadius);
            painter->restore();
        }
    }
}

} // namespace

ClassicMetrics::ClassicMetrics(double scale)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), scale_(scale) {}

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
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !group) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
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
    strokeRoundedFrame(painter, frame.adjusted(0, 0, -1, -1), face.darker(140));
    painter->restore();
    if (!group->text.isEmpty())
        proxy()->drawItemText(painter, label, Qt::AlignCenter | Qt::TextShowMnemonic,
                              group->palette, group->state.testFlag(State_Enabled), group->text,
                              QPalette::WindowText);
}

} // namespace quendra::ui
