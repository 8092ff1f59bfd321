// The lines drawn over the base style: a field's outline is the pixels of the anti-aliased
// rounded rectangle it stands for, at any density, however it is drawn.
#include "ControlLines.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A face with the outline of `rect` drawn on it at a density, half of it clipped away.
QImage drawn(const QRect& rect, qreal density, const std::function<void(QPainter*)>& draw) {
    QImage image(int((rect.right() + 4) * density), int((rect.bottom() + 4) * density),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(density);
    image.fill(QColor(0xef, 0xef, 0xef));
    QPainter painter(&image);
    painter.setClipRect(QRect(0, 0, rect.center().x(), image.height()));
    draw(&painter);
    return image;
}

TEST(ControlLines, AFieldOutlineIsTheRoundedRectangleAlongItsEdge) {
    const QColor line(0x76, 0x76, 0x76);
    for (const qreal density : {1.0, 2.0, 1.25})
        for (const QRect rect :
             {QRect(3, 3, 8, 8), QRect(3, 3, 9, 21), QRect(2, 3, 145, 21), QRect(5, 4, 40, 60)}) {
            const QImage expected = drawn(rect, density, [&](QPainter* p) {
                p->setRenderHint(QPainter::Antialiasing);
                p->setPen(QPen(line, 1));
                p->drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
            });
            EXPECT_EQ(drawn(rect, density,
                            [&](QPainter* p) { quendra::ui::drawFieldOutline(p, rect, line); }),
                      expected)
                << density << " " << rect.width() << "x" << rect.height();
        }
}

} // namespace
