#include "ui/framework/DialogUnits.h"

#include <gtest/gtest.h>

namespace qor::ui {
namespace {

struct BaseUnitsRow {
  const char* name;
  int lettersWidth;
  int fontHeight;
  DialogBaseUnits expected;
};

class BaseUnitsTest : public ::testing::TestWithParam<BaseUnitsRow> {};

TEST_P(BaseUnitsTest, AverageLetterWidthIsRoundedToTheNearestPixel) {
  const BaseUnitsRow& row = GetParam();
  const DialogBaseUnits units = BaseUnitsFromFont(row.lettersWidth, row.fontHeight);
  EXPECT_EQ(units.x, row.expected.x);
  EXPECT_EQ(units.y, row.expected.y);
}

INSTANTIATE_TEST_SUITE_P(Fonts, BaseUnitsTest,
                         ::testing::Values(BaseUnitsRow{"ExactlySix", 312, 13, {6, 13}},
                                           BaseUnitsRow{"JustBelowHalf", 337, 13, {6, 13}},
                                           BaseUnitsRow{"HalfRoundsUp", 338, 13, {7, 13}},
                                           BaseUnitsRow{"LargeFont", 520, 20, {10, 20}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MulDivTest, RoundsHalfAwayFromZeroAndRefusesZeroDivisor) {
  EXPECT_EQ(MulDiv(1, 6, 4), 2);   // 1.5
  EXPECT_EQ(MulDiv(3, 13, 8), 5);  // 4.875
  EXPECT_EQ(MulDiv(-1, 6, 4), -2);
  EXPECT_EQ(MulDiv(4, 13, 8), 7);  // 6.5
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
  // The product is formed in 64 bits: no overflow before the division.
  EXPECT_EQ(MulDiv(1 << 30, 6, 8), 805306368);
}

TEST(MapDialogRectTest, MapsTheMainWindowAtTheClassicBaseUnits) {
  const DialogBaseUnits classic{6, 13};
  EXPECT_EQ(MapDialogRect(0, 0, 274, 318, classic), (PixelRect{0, 0, 411, 517}));
  // The board picture's place is the picture's own pixel size at these units.
  const PixelRect picture = MapDialogRect(84, 134, 112, 154, classic);
  EXPECT_EQ(picture.width(), 168);
  EXPECT_EQ(picture.height(), 250);
}

TEST(MapDialogRectTest, AdjacentRectanglesStayAdjacentAtAnyScale) {
  for (const DialogBaseUnits units : {DialogBaseUnits{6, 13}, DialogBaseUnits{7, 15}, DialogBaseUnits{9, 19}}) {
    // "Save Settings" ends where "Import Settings" starts less the gap, at every
    // scale: both corners are mapped, never a width on its own.
    const PixelRect first = MapDialogRect(6, 300, 54, 12, units);
    const PixelRect next = MapDialogRect(60, 300, 6, 12, units);
    EXPECT_EQ(first.right, next.left);
    const PixelRect row = MapDialogRect(24, 134, 54, 11, units);
    const PixelRect below = MapDialogRect(24, 145, 54, 12, units);
    EXPECT_EQ(row.bottom, below.top);
  }
}

}  // namespace
}  // namespace qor::ui
