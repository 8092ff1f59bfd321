#pragma once

#include <QProxyStyle>

namespace quendra::ui {

// The check marks, radio marks, label gaps, slider thumb and group frames that the window's
// pixel tables were drawn around, scaled with the layout; everything else is the platform's
// style. A group's caption sits on its frame's top line, so the table's offsets inside a
// group (the first box 24 pixels down) leave the same room as they were drawn with.
class ClassicMetrics : public QProxyStyle {
public:
    explicit ClassicMetrics(double scale);
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

private:
    double scale_;
};

} // namespace quendra::ui
