#include "ControlLines.h"

#include "Contrast.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStyleOptionSlider>

#include <cmath>
#include <vector>

namespace quendra::ui {

namespace {

form::Rgb rgb(const QColor& color) {
    return {color.red(), color.green(), color.blue()};
}

// Painting anti-aliased without a fill, by default on pixel centres; undone when it goes.
class LinePainter {
public:
    LinePainter(QPainter* painter, const QColor& line, QPointF shift = {0.5, 0.5})
        : painter_(painter) {
        painter_->save();
        painter_->setRenderHint(QPainter::Antialiasing, true);
        painter_->translate(shift);
        painter_->setPen(QPen(line, 1));
        painter_->setBrush(Qt::NoBrush);
    }
    ~LinePainter() { painter_->restore(); }
    LinePainter(const LinePainter&) = delete;
    LinePainter& operator=(const LinePainter&) = delete;
    QPainter* operator->() const { return painter_; }

private:
    QPainter* painter_;
};

form::Rgb at(const QPalette& palette, QPalette::ColorRole role) {
    return rgb(palette.color(QPalette::Active, role));
}

std::vector<form::Rgb> shades(const QPalette& palette) {
    std::vector<form::Rgb> all;
    for (const auto role :
         {QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow})
        all.push_back(at(palette, role));
    return all;
}

QColor qColor(const form::Rgb& c) {
    return {c.red, c.green, c.blue};
}

// Whether every pixel painted lands on whole pixels of the device: a shift by whole pixels,
// stretched by a whole factor at most (a density of 1 or 2, not 1.25).
bool wholeDevicePixels(const QPainter& painter) {
    const QTransform t = painter.deviceTransform();
    const auto whole = [](qreal v) { return v == std::floor(v); };
    return t.type() <= QTransform::TxScale && whole(t.m11()) && whole(t.m22()) && whole(t.dx()) &&
           whole(t.dy());
}

} // namespace

QColor lineColour(const QPalette& palette) {
    return qColor(form::lineColour(at(palette, QPalette::Window), at(palette, QPalette::WindowText),
                                   shades(palette)));
}

QColor tickColour(const QPalette& palette) {
    const QColor own = palette.color(QPalette::Active, QPalette::Highlight).darker(140);
    return qColor(form::lineColour(rgb(own), at(palette, QPalette::Window),
                                   at(palette, QPalette::WindowText), shades(palette)));
}

QPalette withoutFaceLines(const QPalette& palette) {
    QPalette without = palette;
    const QColor transparent(255, 255, 255, 0);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        without.setColor(group, QPalette::Window, transparent);
    return without;
}

void drawMarkOutline(QPainter* painter, QStyle::PrimitiveElement mark, const QRect& rect,
                     const QColor& line) {
    if (mark == QStyle::PE_IndicatorCheckBox) {
        LinePainter(painter, line)->drawRect(rect.adjusted(0, 0, -1, -1));
        return;
    }
    // A pixel inside the mark's square, rounded up to an odd size, around its middle: the
    // centre lies on a pixel's corner.
    const qreal radius = (rect.width() + (rect.width() + 1) % 2) / 2.0 - 1;
    QPainterPath circle;
    circle.addEllipse(QPointF(rect.center() + QPoint(1, 1)), radius, radius);
    LinePainter(painter, line, {0, 0})->drawPath(circle);
}

void strokeRoundedFrame(QPainter* painter, const QRectF& outline, const QColor& color) {
    constexpr qreal kRadius = 2;
    constexpr int kCorner = 4; // the square at each corner that the rounding touches
    painter->setPen(QPen(color, 1));
    painter->setBrush(Qt::NoBrush);
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

void drawFieldOutline(QPainter* painter, const QRect& rect, const QColor& line) {
    if (!wholeDevicePixels(*painter)) {
        LinePainter(painter, line)->drawRoundedRect(rect.adjusted(0, 0, -1, -1), 2, 2);
        return;
    }
    painter->save();
    strokeRoundedFrame(painter, QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), line);
    painter->restore();
}

void drawSliderLines(QPainter* painter, const QStyle& style, const QStyleOptionSlider& slider,
                     const QWidget* widget, const QColor& line, const QColor& ticks) {
    const QRect groove =
        style.subControlRect(QStyle::CC_Slider, &slider, QStyle::SC_SliderGroove, widget);
    const QRect thumb =
        style.subControlRect(QStyle::CC_Slider, &slider, QStyle::SC_SliderHandle, widget);
    const QRect& all = slider.rect;
    {
        LinePainter painted(painter, line);
        // The track left of the thumb is filled and outlined in the highlight already.
        QRegion bare(groove.adjusted(thumb.left() - all.left() + 1, 0, 1, 1));
        painted->setClipRegion(bare.subtracted(QRegion(thumb)), Qt::IntersectClip);
        painted->drawRoundedRect(groove.adjusted(1, 1, -2, -2), 1, 1);
    }
    LinePainter(painter, line)->drawRoundedRect(thumb.adjusted(1, 1, -2, -2), 2, 2);

    // A tick below the track at every step, shorter at both ends, where the thumb's middle goes:
    // over Fusion's own, which are of the same shape.
    const int length = style.pixelMetric(QStyle::PM_SliderLength, &slider, widget);
    const int tick = style.pixelMetric(QStyle::PM_SliderTickmarkOffset, &slider, widget);
    const int interval = slider.tickInterval > 0 ? slider.tickInterval : 1;
    std::vector<QLine> marks;
    for (int value = slider.minimum; value <= slider.maximum; value += interval) {
        const int x = all.left() + length / 2 +
                      QStyle::sliderPositionFromValue(slider.minimum, slider.maximum, value,
                                                      all.width() - length, slider.upsideDown);
        const int end = (value == slider.minimum || value == slider.maximum) ? 1 : 2;
        marks.emplace_back(x, all.bottom() - end, x, all.bottom() - tick);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(ticks, 1));
    painter->drawLines(marks.data(), int(marks.size()));
    painter->restore();
}

} // namespace quendra::ui
