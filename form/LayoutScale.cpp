#include "LayoutScale.h"

#include <algorithm>
#include <cmath>

namespace quendra::form {

double layoutScale(const TextExtent& window, const TextExtent& design) {
    if (design.height <= 0 || design.sampleWidth <= 0 || window.height <= 0 ||
        window.sampleWidth <= 0)
        return 1.0;
    return std::max(window.height / design.height, window.sampleWidth / design.sampleWidth);
}

int scaled(int pixels, double scale) {
    return static_cast<int>(std::lround(pixels * scale));
}

PixelRect scaled(const PixelRect& rect, double scale) {
    const int left = scaled(rect.left, scale);
    const int top = scaled(rect.top, scale);
    return {left, top, scaled(rect.left + rect.width, scale) - left,
            scaled(rect.top + rect.height, scale) - top};
}

std::vector<PixelRect> radioButtonRects(int groupWidth, int groupHeight, int buttonCount,
                                        int textHeight) {
    std::vector<PixelRect> rects;
    if (buttonCount <= 0)
        return rects;
    const int room = std::max(0, groupHeight - textHeight - 5);
    const int height = room / buttonCount;
    const int first = textHeight + 1 + (room % buttonCount) / 2;
    for (int i = 0; i < buttonCount; ++i)
        rects.push_back({8, first + i * height, groupWidth - 10, height});
    return rects;
}

} // namespace quendra::form
