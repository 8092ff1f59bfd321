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

namespace {

// The frame counted with is the reported one wherever the platform reports one; without a report
// each window system has its own assumption, and on Wayland it is larger than the frames the
// desktops draw there.
TEST(FrameToAllowFor, TakesTheReportedFrameElseTheWindowSystemsAssumption) {
    const FrameExtents qtOwn{3, 30, 3, 3};
    const FrameExtents openbox{1, 24, 1, 1};
    const struct {
        WindowSystem system;
        FrameExtents reported;
        FrameExtents expected;
    } cases[] = {
        {WindowSystem::X11, {}, kAssumedFrame},
        {WindowSystem::X11, openbox, openbox},
        {WindowSystem::Wayland, qtOwn, qtOwn},
        {WindowSystem::Other, {}, kAssumedFrame},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frameToAllowFor(c.system, c.reported), c.expected) << int(c.system);
    // Measured on each compositor's own picture, with room for an outline drawn around them.
    const FrameExtents compositors = frameToAllowFor(WindowSystem::Wayland, {});
    const FrameExtents measured[] = {qtOwn, {0, 37, 0, 0}, {2, 25, 2, 2}}; // Breeze's, sway's
    for (const FrameExtents& m : measured) {
        EXPECT_GE(compositors.top + compositors.bottom, m.top + m.bottom + 2) << m.top;
        EXPECT_GE(compositors.left + compositors.right, m.left + m.right + 2) << m.top;
    }
}

const PixelRect kStart{0, 0, 634, 665};
const PixelRect kContent{0, 0, 634, 661};
const ScrollBarExtents kBars{15, 15};

// Where one way is short and the room has space the other way, the window is larger that way by
// the bar that shows, so that the bar takes none of the content's room; where it has not, it
// takes what there is.
TEST(FitClient, GrowsTheOtherWayByTheOneScrollBarThatShows) {
    const struct {
        const char* name;
        int roomWidth;
        int roomHeight;
        PixelRect expected;
    } cases[] = {
        {"room for all", 1360, 735, kStart},
        {"only the height short", 1018, 567, {0, 0, 649, 567}},
        {"only the width short", 600, 900, {0, 0, 600, 676}},
        {"both short", 600, 500, {0, 0, 600, 500}},
        {"the height short, the width barely", 640, 567, {0, 0, 640, 567}},
        {"the height between content and start", 700, 663, {0, 0, 634, 663}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitClient(kStart, kContent, kBars, c.roomWidth, c.roomHeight), c.expected)
            << c.name;
    EXPECT_EQ(largestClient(kStart, kContent, kBars), (PixelRect{0, 0, 649, 676}));
    EXPECT_EQ(largestClient({0, 0, 700, 665}, kContent, kBars), (PixelRect{0, 0, 700, 676}));
}

// The screens and frames the window meets: every pixel of the window on the area, the layout's
// size where the area holds it, and no horizontal bar where only the height is short and the
// area has the width for the vertical one.
TEST(PlaceAtStart, PutsTheWholeWindowOnEveryScreenUnderEveryFrameWithOneBarWhereOneIsEnough) {
    const FrameExtents frames[] = {
        kAssumedFrame,                              // the layout's
        {3, 30, 3, 3},                              // Qt's own on Wayland
        {1, 24, 1, 1},                              // openbox's
        frameToAllowFor(WindowSystem::Wayland, {}), // a compositor's own, allowed for
    };
    const PixelRect screens[] = {
        {0, 0, 1024, 600},  {0, 0, 819, 480},    {0, 0, 1366, 768},   {0, 0, 1093, 614},
        {0, 0, 1280, 1024}, {0, 32, 1920, 1048}, {1920, 0, 600, 800},
    };
    for (const FrameExtents& frame : frames)
        for (const PixelRect& screen : screens) {
            const PixelRect at{screen.left + frame.left, screen.top + frame.top, 634, 665};
            const WindowPlace placed = placeAtStart(at, kContent, kBars, frame, screen);
            const PixelRect& o = placed.outer;
            const std::string where = std::to_string(screen.width) + "x" +
                                      std::to_string(screen.height) + ", title " +
                                      std::to_string(frame.top);
            EXPECT_GE(o.left, screen.left) << where;
            EXPECT_GE(o.top, screen.top) << where;
            EXPECT_LE(o.left + o.width, screen.left + screen.width) << where;
            EXPECT_LE(o.top + o.height, screen.top + screen.height) << where;
            const int roomWidth = screen.width - frame.left - frame.right;
            const int roomHeight = screen.height - frame.top - frame.bottom;
            if (roomWidth >= 634 && roomHeight >= 665) {
                EXPECT_EQ(placed.client, at) << where;
            }
            if (roomHeight < 661 && roomWidth >= 649) {
                EXPECT_EQ(placed.client.width, 649) << where;
            }
        }
    EXPECT_EQ(placeAtStart(kStart, kContent, kBars, frames[3], {}).client, kStart);
}

} // namespace
