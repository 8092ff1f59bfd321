#include "CaptionPlace.h"
#include "ControlNames.h"

#include <gtest/gtest.h>

using namespace quendra;
using namespace quendra::form;

namespace {

int widthOf(ControlName control, double scale, int room) {
    return captionPlace(FormModel(), control, scale, room).width;
}

TEST(CaptionPlace, LabelsAndCheckBoxesGrowToTheirCaptionButNeverShrink) {
    EXPECT_EQ(widthOf(control::CheckBox01, 1.0, 80), 80);
    EXPECT_EQ(widthOf(control::CheckBox01, 1.0, 10), 57);
    EXPECT_EQ(widthOf(control::Label01, 1.0, 200), 200); // the field it names lies below it
    EXPECT_EQ(widthOf(control::Edit01, 1.0, 500), 185);  // a field has no caption to make room for
    EXPECT_EQ(captionRoom(ControlKind::CheckBox, 40, 1.0), 13 + 4 + 2 + 40);
    EXPECT_EQ(captionRoom(ControlKind::Label, 40, 2.0), 40);
}

TEST(CaptionPlace, ALabelStopsAtTheFieldItNamesBesideItButNotShortOfItsPlace) {
    // Label10 (248, width 55) names Edit09, which starts at 312 on the same line.
    EXPECT_EQ(widthOf(control::Label10, 1.0, 200), 312 - 248);
    EXPECT_EQ(widthOf(control::Label10, 2.0, 400), 2 * (312 - 248));
    EXPECT_EQ(widthOf(control::Label10, 1.0, 60), 60);
    EXPECT_EQ(widthOf(control::Label10, 1.0, 20), 55);
}

TEST(CaptionPlace, RadioButtonsGrowAndTheirGroupsFrameDoesNot) {
    const FormModel model;
    EXPECT_EQ(radioButtonPlace(model, control::RadioGroup1, 0, 1.0, 100),
              (PixelRect{8, 15, 100, 15}));
    EXPECT_EQ(radioButtonPlace(model, control::RadioGroup1, 2, 1.0, 10).width, 71);
    EXPECT_EQ(widthOf(control::RadioGroup1, 1.0, 300), 81);
}

} // namespace
