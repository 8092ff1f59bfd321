#pragma once

#include <QProxyStyle>

#include <optional>

class QStyleOptionGroupBox;

namespace quendra::ui {

// The check marks, radio marks, label gaps, slider thumb and group frames that the window's
// pixel tables were drawn around, scaled with the layout; everything else is the platform's
// style. A group's caption sits on its frame's top line, so the table's offsets inside a
// group (the first box 24 pixels down) leave the same room as they were drawn with. Over
// Fusion, the boundaries of controls are drawn in a colour that keeps them visible in any
// colours (ControlLines); the focus shown from the keyboard stays Fusion's.
class ClassicMetrics : public QProxyStyle {
public:
    explicit ClassicMetrics(double scale);
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl subControl, const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    // The window's captions are English: laid out left to right even where a right-to-left
    // translation of Qt's own texts turned the application around, whose direction Qt's painter
    // takes rather than the control's.
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;

private:
    void drawGroupBox(const QStyleOptionGroupBox& group, QPainter* painter,
                      const QWidget* widget) const;
    // The palette the base style draws a control's lines with. The application's own palette, as
    // it was when this style was made, is passed on as it is: under it (Qt's default colours,
    // where the window's face is the button colour and so no palette of its own) Fusion draws
    // its lines from the face and the window's are drawn over them, the pixels the contrast
    // checks measured. Any other palette loses the face's lines (ui::withoutFaceLines): one copy
    // a palette, so that the style's caches, which are keyed by the palette, keep their
    // pictures.
    QPalette paletteForBaseStyle(const QPalette& palette) const;
    struct WithoutFaceLines {
        qint64 key; // the cacheKey of the palette it was made from
        QPalette palette;
    };
    // What a palette's lines are drawn in (ui::lineColour, ui::tickColour), worked out once a
    // palette rather than for every part painted.
    struct LineColours {
        qint64 palette = 0; // its cacheKey
        QColor line;
        QColor tick;
    };
    const LineColours& lineColours(const QPalette& palette) const;

    double scale_;
    bool drawsLines_; // the base style is Fusion's, whose lines are drawn over here
    const QPalette applicationPalette_;
    mutable std::optional<WithoutFaceLines> lastWithout_;
    mutable LineColours lastColours_;
};

} // namespace quendra::ui
