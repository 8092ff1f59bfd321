#pragma once

#include <QColor>
#include <QPalette>
#include <QStyle>

class QPainter;
class QRect;
class QStyleOptionSlider;

namespace quendra::ui {

// The boundaries of the window's controls (group frames, the marks of check boxes and radio
// buttons, fields, sliders) drawn in a colour that stands out from the face in whatever colours
// the desktop gives. Fusion takes these lines from the face itself, a little darker or lighter,
// and so loses them in dark colours and entirely on black: here the base style draws each
// control with a transparent face, which leaves its lines out, and the lines are drawn over it
// at the same places in form::lineColour.

// The line colour for a palette: the face is the window's, the shades its edges and frames.
QColor lineColour(const QPalette& palette);
// A slider's ticks: Fusion draws them in the highlight, darkened, which stays where it stands out.
QColor tickColour(const QPalette& palette);
// The palette with its face transparent (white, so that colours the style compares with it
// keep their order), for the base style to leave the lines it takes from the face out.
QPalette withoutFaceLines(const QPalette& palette);

// The outline of a check box's mark, as a square in `mark`, or a radio button's, as a circle.
void drawMarkOutline(QPainter* painter, QStyle::PrimitiveElement mark, const QRect& rect,
                     const QColor& line);
// A field's outline: a rectangle with rounded corners along the edge of `rect`.
void drawFieldOutline(QPainter* painter, const QRect& rect, const QColor& line);
// Strokes, anti-aliased with a 1-pixel pen and no fill, a rectangle with corners of radius 2
// whose edges lie on pixel centres. The pixels are those of QPainter::drawRoundedRect where
// pixels are whole on the device, which sets them one by one along the whole outline; here only
// the corners are drawn that way, clipped to the corner squares, from a small rectangle with the
// same corner, and the straight edges between them, which the stroke covers whole, are filled.
// Leaves the painter's pen, brush and hints changed.
void strokeRoundedFrame(QPainter* painter, const QRectF& outline, const QColor& color);
// A slider's track outside its filled part and the outline of its thumb in `line`, its ticks in
// `ticks`. `style` measures the parts as it drew them.
void drawSliderLines(QPainter* painter, const QStyle& style, const QStyleOptionSlider& slider,
                     const QWidget* widget, const QColor& line, const QColor& ticks);

} // namespace quendra::ui
