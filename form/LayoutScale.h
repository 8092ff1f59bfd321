#pragma once

#include <vector>

namespace quendra::form {

// All pixel tables of the window are drawn for Tahoma 8 pt at 96 pixels per inch. A font is
// described here by its text height (ascent plus descent) and by the width of a fixed sample
// text, both in pixels as the toolkit measures them.
struct TextExtent {
    double height = 0;
    double sampleWidth = 0;
};

// Pixel rectangle in table units or on screen.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect& o) const {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// The text height that the tables' radio-button formula counts with (a Windows cell height).
inline constexpr int kTableTextHeight = 13;

// The factor by which every table position and size is multiplied: how much taller or wider
// the window's text is than the design font's at 96 ppi, whichever is more, so that a larger
// density or a wider fallback face never cuts a caption. The design font at 96 ppi gives 1.0.
double layoutScale(const TextExtent& window, const TextExtent& design);

int scaled(int pixels, double scale);
// Scales the edges, so that rectangles that touch in the table still touch.
PixelRect scaled(const PixelRect& rect, double scale);

// The buttons of a radio group, in table units, relative to the group: one column, 8 pixels
// from the left edge, as wide as the group less 10; the height left below the caption shared
// out evenly, its remainder split above and below.
std::vector<PixelRect> radioButtonRects(int groupWidth, int groupHeight, int buttonCount,
                                        int textHeight = kTableTextHeight);

} // namespace quendra::form
