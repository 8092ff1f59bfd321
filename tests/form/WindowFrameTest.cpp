#include "Placements.h"
#include "WindowFrame.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

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

// Where the window lies wholly on the available area, nothing changes: the place is the
// platform's, the size the layout's.
TEST(PlaceOnScreen, LeavesAWindowThatFitsAsItIs) {
    const PixelRect client{100, 50, 634, 665};
    const WindowPlace placed = placeOnScreen(client, kAssumedFrame, {0, 0, 1280, 1024});
    EXPECT_EQ(placed.client, client);
    EXPECT_EQ(placed.outer, (PixelRect{96, 27, kOuterWidth, kOuterHeight}));
    EXPECT_EQ(placeOnScreen(client, kAssumedFrame, {0, 0, 642, 692}).client,
              (PixelRect{4, 23, 634, 665}));
}

struct PlaceCase {
    const char* name;
    PixelRect client;
    FrameExtents frame;
    PixelRect available;
    WindowPlace expected;
};

void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}

class PlaceOnScreenTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceOnScreenTest, MakesTheWholeWindowFitAndMovesItTheLeastWay) {
    const PlaceCase& c = GetParam();
    const WindowPlace placed = placeOnScreen(c.client, c.frame, c.available);
    EXPECT_EQ(placed.outer, c.expected.outer);
    EXPECT_EQ(placed.client, c.expected.client);
}

const PlaceCase kPlaceCases[] = {
    // Large text (1.25) on a 1366 by 768 screen under openbox's frame: the window opened with its
    // bottom at 851; now it is as tall as the screen, the client 88 pixels shorter.
    {"TallerThanTheScreen",
     {300, 20, 793, 831},
     {1, 24, 1, 1},
     {0, 0, 1366, 768},
     {{299, 0, 795, 768}, {300, 24, 793, 743}}},
    // 150 % on a 1080-pixel screen whose taskbar takes the bottom 48 pixels, Windows 10's frame.
    {"TallerThanTheWorkArea",
     {34, 57, 951, 998},
     {12, 35, 12, 12},
     {0, 0, 1920, 1032},
     {{22, 0, 975, 1032}, {34, 35, 951, 985}}},
    // A panel at the top: the window goes below it.
    {"BelowAPanel",
     {10, 10, 634, 665},
     {4, 23, 4, 4},
     {0, 32, 1280, 992},
     {{6, 32, 642, 692}, {10, 55, 634, 665}}},
    // Past the right edge: moved left just far enough, its size kept.
    {"PastTheRightEdge",
     {1200, 100, 634, 665},
     {4, 23, 4, 4},
     {0, 0, 1280, 1024},
     {{638, 77, 642, 692}, {642, 100, 634, 665}}},
    // A second screen right of the first, narrower than the window.
    {"OnASecondNarrowScreen",
     {1900, 50, 634, 665},
     {4, 23, 4, 4},
     {1920, 0, 600, 800},
     {{1920, 27, 600, 692}, {1924, 50, 592, 665}}},
    // An area smaller than the frame: the client keeps a pixel, the frame starts at the corner.
    {"AreaSmallerThanTheFrame",
     {50, 50, 634, 665},
     {4, 23, 4, 4},
     {0, 0, 300, 20},
     {{0, 0, 300, 28}, {4, 23, 292, 1}}},
    // No area known: nothing changes.
    {"NoAreaKnown",
     {50, 50, 634, 665},
     {4, 23, 4, 4},
     {0, 0, 0, 0},
     {{46, 27, 642, 692}, {50, 50, 634, 665}}},
};

INSTANTIATE_TEST_SUITE_P(Screens, PlaceOnScreenTest, ::testing::ValuesIn(kPlaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
