#include "ClassicMetrics.h"

#include "LayoutScale.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

namespace quendra::ui {

ClassicMetrics::ClassicMetrics(double scale)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), scale_(scale) {}

int ClassicMetrics::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                const QWidget* widget) const {
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        return scaled(13, scale_);
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        return scaled(4, scale_);
    case PM_SliderLength:
        return scaled(20, scale_);
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
    const int gap = scaled(2, scale_);
    switch (subControl) {
    case SC_GroupBoxLabel:
        if (group->text.isEmpty())
            return {};
        return {all.left() + scaled(8, scale_) - gap, all.top(),
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
    painter->setPen(QPen(face.lighter(112), 1));
    painter->drawRoundedRect(frame.adjusted(1, 1, 0, 0), 2, 2);
    painter->setPen(QPen(face.darker(140), 1));
    painter->drawRoundedRect(frame.adjusted(0, 0, -1, -1), 2, 2);
    painter->restore();
    if (!group->text.isEmpty())
        proxy()->drawItemText(painter, label, Qt::AlignCenter | Qt::TextShowMnemonic,
                              group->palette, group->state.testFlag(State_Enabled), group->text,
                              QPalette::WindowText);
}

} // namespace quendra::ui
