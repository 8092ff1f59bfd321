#include "WindowFrame.h"

#include <algorithm>

namespace quendra::form {

PixelRect clientAtStart(double scale) {
    return scaled(
        PixelRect{0, 0, kOuterWidth - kAssumedFrameWidth, kOuterHeight - kAssumedFrameHeight},
        scale);
}

FrameExtents frameToAllowFor(WindowSystem system, const FrameExtents& reported) {
    if (!(reported == FrameExtents{}))
        return reported;
    for (const AssumedFrame& assumed : kAssumedFrames)
        if (assumed.system == system)
            return assumed.frame;
    return kAssumedFrame;
}

namespace {

// One axis: the window's start and length, its frame before and after the client area, on an
// area from `from` of `room` pixels. The client keeps at least one pixel.
struct Span {
    int start;
    int length;
};

Span fitSpan(Span client, int before, int after, int from, int room) {
    const int frame = before + after;
    const int length = std::max(1, std::min(client.length, room - frame));
    const int outer = length + frame;
    int start = client.start - before;
    start = std::max(from, std::min(start, from + room - outer));
    return {start + before, length};
}

} // namespace

WindowPlace placeOnScreen(const PixelRect& client, const FrameExtents& frame,
                          const PixelRect& available) {
    PixelRect placed = client;
    if (available.width > 0 && available.height > 0) {
        const Span across = fitSpan({client.left, client.width}, frame.left, frame.right,
                                    available.left, available.width);
        const Span down = fitSpan({client.top, client.height}, frame.top, frame.bottom,
                                  available.top, available.height);
        placed = {across.start, down.start, across.length, down.length};
    }
    return {{placed.left - frame.left, placed.top - frame.top,
             placed.width + frame.left + frame.right, placed.height + frame.top + frame.bottom},
            placed};
}

PixelRect fitClient(const PixelRect& start, const PixelRect& content, ScrollBarExtents bars,
                    int roomWidth, int roomHeight) {
    int width = std::min(start.width, roomWidth);
    int height = std::min(start.height, roomHeight);
    const bool verticalBar = height < content.height;
    const bool horizontalBar = width < content.width;
    if (verticalBar && !horizontalBar)
        width = std::min(std::max(start.width, content.width + bars.vertical), roomWidth);
    if (horizontalBar && !verticalBar)
        height = std::min(std::max(start.height, content.height + bars.horizontal), roomHeight);
    return {start.left, start.top, width, height};
}

WindowPlace placeAtStart(const PixelRect& client, const PixelRect& content, ScrollBarExtents bars,
                         const FrameExtents& frame, const PixelRect& available) {
    if (available.width <= 0 || available.height <= 0)
        return placeOnScreen(client, frame, available);
    const PixelRect fitted =
        fitClient(client, content, bars, available.width - frame.left - frame.right,
                  available.height - frame.top - frame.bottom);
    return placeOnScreen({client.left, client.top, fitted.width, fitted.height}, frame, available);
}

PixelRect largestClient(const PixelRect& start, const PixelRect& content, ScrollBarExtents bars) {
    return {0, 0, std::max(start.width, content.width + bars.vertical),
            std::max(start.height, content.height + bars.horizontal)};
}

} // namespace quendra::form
