#include "CommandBuilder.h"

#include <gtest/gtest.h>

using namespace quendra;

TEST(CommandBuilder, InitialState) {
    FormModel model;
    model.setText("Edit01", "C:\\in.wav");
    model.setText("Edit02", "C:\\out.mp3");
    EXPECT_EQ(CommandBuilder::build(model).line,
              "lame.bin --cbr -b auto --scale 1 -q 2 \"C:\\in.wav\" \"C:\\out.mp3\"");
}
