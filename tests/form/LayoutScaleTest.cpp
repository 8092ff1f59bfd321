#include "LayoutScale.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace quendra::form;

namespace quendra::form {
void PrintTo(const PixelRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.width << ", " << r.height << "}";
}
} // namespace quendra::form

namespace {

// Tahoma 8 pt at 96 ppi as FreeType measures it: the reference every case is compared with.
constexpr TextExtent kTahoma{11.0, 273.0};

struct ScaleCase {
    const char* name;
    TextExtent window;
    double expected;
};

void PrintTo(const ScaleCase& c, std::ostream* os) {
    *os << c.name;
}

class LayoutScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(LayoutScaleTest, FollowsTheLargerOfHeightAndWidth) {
    EXPECT_DOUBLE_EQ(layoutScale(GetParam().window, kTahoma), GetParam().expected);
}

const ScaleCase kScaleCases[] = {
    {"DesignFontAt96ppiIsExactlyOne", kTahoma, 1.0},
    {"DesignFontAt120ppiGrowsWithTheDensity", {13.75, 341.25}, 1.25},
    {"TallerFallbackGrowsByHeight", {13.0, 290.0}, 13.0 / 11.0},
    {"WiderFallbackGrowsByWidth", {11.0, 327.6}, 1.2},
    {"SmallerFontShrinksOnlyAsFarAsItsWidthAllows", {9.0, 245.7}, 0.9},
    {"NothingMeasuredKeepsTheTable", {0.0, 0.0}, 1.0},
};
INSTANTIATE_TEST_SUITE_P(Fonts, LayoutScaleTest, ::testing::ValuesIn(kScaleCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RectCase {
    PixelRect table;
    double scale;
    PixelRect expected;
};

void PrintTo(const RectCase& c, std::ostream* os) {
    PrintTo(c.table, os);
    *os << " x" << c.scale;
}

class ScaledRectTest : public ::testing::TestWithParam<RectCase> {};

TEST_P(ScaledRectTest, ScalesTheEdges) {
    EXPECT_EQ(scaled(GetParam().table, GetParam().scale), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, ScaledRectTest,
                         ::testing::Values(RectCase{{8, 136, 185, 21}, 1.0, {8, 136, 185, 21}},
                                           RectCase{{8, 136, 185, 21}, 1.25, {10, 170, 231, 26}},
                                           RectCase{{13, 0, 13, 10}, 1.5, {20, 0, 19, 15}},
                                           RectCase{
                                               {296, 586, 184, 25}, 2.0, {592, 1172, 368, 50}}));

TEST(ScaledRect, NeighboursThatTouchInTheTableStillTouch) {
    for (double scale : {1.1, 1.18, 1.25, 1.5, 1.75}) {
        const PixelRect left = scaled(PixelRect{3, 5, 13, 7}, scale);
        const PixelRect right = scaled(PixelRect{16, 5, 9, 7}, scale);
        EXPECT_EQ(left.left + left.width, right.left) << "scale " << scale;
    }
}

struct RadioCase {
    const char* group;
    int width;
    int height;
    int buttons;
    PixelRect first;
    PixelRect last;
};

void PrintTo(const RadioCase& c, std::ostream* os) {
    *os << c.group;
}

class RadioButtonRectsTest : public ::testing::TestWithParam<RadioCase> {};

TEST_P(RadioButtonRectsTest, OneColumnWithoutGaps) {
    const RadioCase& c = GetParam();
    const std::vector<PixelRect> rects = radioButtonRects(c.width, c.height, c.buttons);
    ASSERT_EQ(rects.size(), static_cast<std::size_t>(c.buttons));
    EXPECT_EQ(rects.front(), c.first);
    EXPECT_EQ(rects.back(), c.last);
    for (std::size_t i = 1; i < rects.size(); ++i)
        EXPECT_EQ(rects[i].top, rects[i - 1].top + rects[i - 1].height);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, RadioButtonRectsTest,
    ::testing::Values(
        // 65 - 13 - 5 = 47 = 3 * 15 + 2: the remainder's half goes above the first button.
        RadioCase{"BitrateMode", 81, 65, 3, {8, 15, 71, 15}, {8, 45, 71, 15}},
        // 121 - 18 = 103 = 6 * 17 + 1: half of 1 rounds down to nothing.
        RadioCase{"StereoMode", 129, 121, 6, {8, 14, 119, 17}, {8, 99, 119, 17}},
        RadioCase{"Deemphasis", 129, 65, 3, {8, 15, 119, 15}, {8, 45, 119, 15}}),
    [](const auto& info) { return std::string(info.param.group); });

TEST(RadioButtonRects, NoButtonsNoRects) {
    EXPECT_TRUE(radioButtonRects(81, 65, 0).empty());
}

} // namespace
