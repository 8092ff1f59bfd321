#include "Contrast.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace quendra::form;

namespace quendra::form {
void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "rgb(" << c.red << ", " << c.green << ", " << c.blue << ")";
}
} // namespace quendra::form

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

TEST(Contrast, IsWcagsRatioEitherWayRound) {
    EXPECT_DOUBLE_EQ(contrastRatio(kBlack, kWhite), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(kWhite, kBlack), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio({50, 50, 50}, {50, 50, 50}), 1.0);
    // WCAG's own example: #767676 is the lightest grey that keeps 4.5 on white.
    EXPECT_NEAR(contrastRatio({0x76, 0x76, 0x76}, kWhite), 4.54, 0.005);
    EXPECT_LT(contrastRatio({0x77, 0x77, 0x77}, kWhite), kTextContrast);
    // Green weighs most, blue least.
    EXPECT_GT(contrastRatio({0, 255, 0}, kBlack), contrastRatio({255, 0, 0}, kBlack));
    EXPECT_GT(contrastRatio({255, 0, 0}, kBlack), contrastRatio({0, 0, 255}, kBlack));
}

// Qt's default light colours: the shades are white, #cacaca, #9f9f9f, #b8b8b8 and #767676 on a
// #efefef face, of which only the last keeps 3:1.
TEST(LineColour, TakesTheShadeNearestTheFaceThatStillStandsOut) {
    const Rgb face{0xef, 0xef, 0xef};
    const std::vector<Rgb> shades{
        kWhite, {0xca, 0xca, 0xca}, {0x9f, 0x9f, 0x9f}, {0xb8, 0xb8, 0xb8}, {0x76, 0x76, 0x76}};
    EXPECT_EQ(lineColour(face, kBlack, shades), (Rgb{0x76, 0x76, 0x76}));
    // A dark scheme with a light shade that keeps 3.4 and a near-white one: the quieter wins.
    const Rgb darkFace{0x42, 0x42, 0x45};
    EXPECT_EQ(
        lineColour(darkFace, kWhite, {{0x30, 0x2f, 0x2e}, {0xe7, 0xe4, 0xe0}, {0x97, 0x97, 0x97}}),
        (Rgb{0x97, 0x97, 0x97}));
}

// Where no shade keeps 3:1 (Qt's dark palette: shades from #191919 to #4b4b4b on #323232; a
// black scheme that sets every shade black), the line is the face moved towards the text until
// it stands out as a text does: a grey between the two, at 4.5:1 and hardly more. A text colour
// that keeps 3:1 but not 4.5 is the line itself.
TEST(LineColour, MovesTheFaceTowardsTheTextWhereNoShadeStandsOut) {
    struct Case {
        Rgb face;
        Rgb text;
        std::vector<Rgb> shades;
    };
    const Case cases[] = {
        {{0x32, 0x32, 0x32}, {0xf0, 0xf0, 0xf0}, {{0x4b, 0x4b, 0x4b}, {0x19, 0x19, 0x19}}},
        {kBlack, kWhite, {kBlack, kBlack, kBlack}},
        {{0xef, 0xef, 0xef}, kBlack, {}},
    };
    for (const Case& c : cases) {
        const Rgb line = lineColour(c.face, c.text, c.shades);
        const double contrast = contrastRatio(line, c.face);
        EXPECT_GE(contrast, kTextContrast);
        EXPECT_LT(contrast, kTextContrast + 0.15);
        EXPECT_EQ(line.red, line.green);
        EXPECT_EQ(line.green, line.blue);
        EXPECT_LT(contrastRatio(line, c.text), contrastRatio(c.face, c.text));
    }
    EXPECT_EQ(lineColour({0x66, 0x66, 0x66}, kBlack, {}), kBlack); // 3.66:1
}

// A colour of the style's own (the highlight, darkened) stays where it stands out: on Qt's light
// face, not on its dark one.
TEST(LineColour, KeepsTheStylesOwnColourWhereItStandsOut) {
    const Rgb own{0x22, 0x64, 0x8d};
    const std::vector<Rgb> shades{{0x76, 0x76, 0x76}};
    EXPECT_EQ(lineColour(own, {0xef, 0xef, 0xef}, kBlack, shades), own);
    const Rgb dark{0x32, 0x32, 0x32};
    EXPECT_EQ(lineColour(own, dark, kWhite, shades), lineColour(dark, kWhite, shades));
    EXPECT_FALSE(lineColour(own, dark, kWhite, shades) == own);
}

// A text colour too close to the face to help: black or white, whichever stands further off.
TEST(LineColour, FallsBackToBlackOrWhiteWhereTheTextIsTooCloseToTheFace) {
    EXPECT_EQ(lineColour({0x80, 0x80, 0x80}, {0x90, 0x90, 0x90}, {}), kBlack);
    EXPECT_EQ(lineColour({0x40, 0x40, 0x40}, {0x50, 0x50, 0x50}, {{0x48, 0x48, 0x48}}), kWhite);
}

} // namespace
