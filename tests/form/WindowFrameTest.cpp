#include "Placements.h"
#include "WindowFrame.h"

#include <gtest/gtest.h>

using namespace quendra::form;

namespace {

// The layout was drawn for a 642 by 692 window around a frame of 4-pixel borders and a 19-pixel
// title bar: the client area it opens with is what that frame leaves, scaled as every control
// is, and under that frame the outer size is still 642 by 692.
TEST(ClientAtStart, IsTheAreaTheLayoutWasDrawnForAtTheLayoutsScale) {
    EXPECT_EQ(clientAtStart(1.0), (PixelRect{0, 0, 634, 665}));
    EXPECT_EQ(clientAtStart(1.0).width + kAssumedFrameWidth, 642);
    EXPECT_EQ(clientAtStart(1.0).height + kAssumedFrameHeight, 692);
    EXPECT_EQ(clientAtStart(1.5), (PixelRect{0, 0, 951, 998}));
    EXPECT_EQ(clientAtStart(2.0), (PixelRect{0, 0, 1268, 1330}));
}

// No scroll bar at start, at any scale: the area holds the controls' extent, exactly in width
// (the left margin repeated on the right) and with the table's 4 pixels to spare below.
TEST(ClientAtStart, HoldsTheControlsExtentAtEveryScale) {
    EXPECT_EQ(clientExtent(), (PixelRect{0, 0, 634, 661}));
    for (double scale : {0.9, 1.0, 1.1, 13.0 / 11.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
        const PixelRect client = clientAtStart(scale);
        const PixelRect extent = scaled(clientExtent(), scale);
        EXPECT_EQ(client.width, extent.width) << "scale " << scale;
        EXPECT_GE(client.height, extent.height) << "scale " << scale;
    }
}

} // namespace
