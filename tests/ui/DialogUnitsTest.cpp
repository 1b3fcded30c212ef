#include "ui/framework/DialogUnits.h"

#include <gtest/gtest.h>

#include "ui/framework/FitBaseUnits.h"

namespace qor::ui {
namespace {

struct BaseUnitsRow {
  const char* Name;
  int LettersWidth;
  int FontHeight;
  DialogBaseUnits Expected;
};

class BaseUnitsTest : public ::testing::TestWithParam<BaseUnitsRow> {};

TEST_P(BaseUnitsTest, AverageLetterWidthIsRoundedToTheNearestPixel) {
  const BaseUnitsRow& row = GetParam();
  const DialogBaseUnits units = BaseUnitsFromFont(row.LettersWidth, row.FontHeight);
  EXPECT_EQ(units.X, row.Expected.X);
  EXPECT_EQ(units.Y, row.Expected.Y);
}

INSTANTIATE_TEST_SUITE_P(Fonts, BaseUnitsTest,
                         ::testing::Values(BaseUnitsRow{"ExactlySix", 312, 13, {6, 13}},
                                           BaseUnitsRow{"JustBelowHalf", 337, 13, {6, 13}},
                                           BaseUnitsRow{"HalfRoundsUp", 338, 13, {7, 13}},
                                           BaseUnitsRow{"LargeFont", 520, 20, {10, 20}}),
                         [](const auto& info) { return std::string(info.param.Name); });

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
  EXPECT_EQ(picture.Width(), 168);
  EXPECT_EQ(picture.Height(), 250);
}

TEST(MapDialogRectTest, AdjacentRectanglesStayAdjacentAtAnyScale) {
  for (const DialogBaseUnits units : {DialogBaseUnits{6, 13}, DialogBaseUnits{7, 15}, DialogBaseUnits{9, 19}}) {
    // "Save Settings" ends where "Import Settings" starts less the gap, at every
    // scale: both corners are mapped, never a width on its own.
    const PixelRect first = MapDialogRect(6, 300, 54, 12, units);
    const PixelRect next = MapDialogRect(60, 300, 6, 12, units);
    EXPECT_EQ(first.Right, next.Left);
    const PixelRect row = MapDialogRect(24, 134, 54, 11, units);
    const PixelRect below = MapDialogRect(24, 145, 54, 12, units);
    EXPECT_EQ(row.Bottom, below.Top);
  }
}

}  // namespace
}  // namespace qor::ui

// The fitting on hand-written metrics: every letter 5 px wide, lines 13 px
// high, the font's own units 6 × 13.
namespace qor::ui {
namespace {

using res::DialogItem;
using res::ItemKind;

FitMetrics HandMetrics(int letterWidth) {
  FitMetrics metrics;
  metrics.FontUnits = {6, 13};
  metrics.LineHeight = 13;
  metrics.TextWidth = [letterWidth](std::string_view text) { return static_cast<int>(text.size()) * letterWidth; };
  metrics.PushButton = {8, 4};
  metrics.CheckBox = {20, 0};
  metrics.GroupTitle = {16, 0};
  metrics.DropDownList = {24, 0};
  return metrics;
}

struct FitRow {
  const char* Name;
  std::vector<DialogItem> Items;
  int LetterWidth;
  DialogBaseUnits Expected;
};

class FitBaseUnitsTest : public ::testing::TestWithParam<FitRow> {};

TEST_P(FitBaseUnitsTest, GrowsJustEnoughForEveryText) {
  const FitRow& row = GetParam();
  const res::DialogTemplate dialogTemplate{1, "", 300, 300, 8, row.Items};
  const ListEntries entries{{res::IDC_KEY_UP, {"1", "2: a longer entry", "3"}}};
  const DialogBaseUnits units = FitBaseUnits(dialogTemplate, HandMetrics(row.LetterWidth), entries);
  EXPECT_EQ(units.X, row.Expected.X);
  EXPECT_EQ(units.Y, row.Expected.Y);
}

constexpr std::uint32_t None = res::None;

INSTANTIATE_TEST_SUITE_P(
    Templates, FitBaseUnitsTest,
    ::testing::Values(
        // "QOR Mode" needs 40 px; 32 units give 48 at the font's own units.
        FitRow{"FitsAtTheFontsOwnUnitsAndNeverShrinks",
               {{res::IDC_STATIC, ItemKind::Static, "QOR Mode", 78, 60, 32, 8, None}},
               5,
               {6, 13}},
        // 8 letters of 7 px = 56 px in 32 units: 7 px per 4 units.
        FitRow{"StaticWiderThanItsBox",
               {{res::IDC_STATIC, ItemKind::Static, "QOR Mode", 78, 60, 32, 8, None}},
               7,
               {7, 13}},
        // 12 letters of 5 px and 8 px of frame in 13 units: 68 px need 21 px per 4 units.
        FitRow{"ButtonFrameCounts",
               {{res::IDOK, ItemKind::PushButton, "Scan Devices", 18, 18, 13, 13, None}},
               5,
               {21, 13}},
        // 8 letters of 5 px after a 20 px indicator in 42 units: 60 px need 6 px per 4 units (5.71).
        FitRow{"CheckBoxIndicatorCounts",
               {{res::IDC_ANALOG2, ItemKind::CheckBox, "Analog 2", 12, 30, 42, 8, None}},
               5,
               {6, 13}},
        FitRow{"CheckBoxIndicatorCountsAtWiderLetters",
               {{res::IDC_ANALOG2, ItemKind::CheckBox, "Analog 2", 12, 30, 42, 8, None}},
               6,
               {7, 13}},
        // The widest entry (17 letters, 85 px) and the arrow (24 px) in 66 units.
        FitRow{"WidestListEntryCounts",
               {{res::IDC_KEY_UP, ItemKind::DropDownList, "", 48, 150, 66, 96, None}},
               5,
               {7, 13}},
        // A title of 16 letters with 16 px of room in 60 units: 96 px.
        FitRow{"GroupTitleCounts",
               {{res::IDC_STATIC, ItemKind::GroupBox, "Device Selection", 6, 6, 60, 36, None}},
               5,
               {7, 13}},
        // 13 px of text and 4 px of frame in 8 units: 17 px per 8 units.
        FitRow{
            "ButtonTooLowGrowsVertically", {{res::IDOK, ItemKind::PushButton, "OK", 10, 10, 40, 8, None}}, 5, {6, 17}},
        // The frame's line (6 px below the group's top) must stay above a
        // control 3 units below the group's top: 7 px per 3 units.
        FitRow{"GroupLineStaysAboveTheControlsInside",
               {{res::IDC_STATIC, ItemKind::GroupBox, "", 6, 6, 100, 50, None},
                {res::IDC_ZONE_TOP, ItemKind::Edit, "", 12, 9, 30, 12, None}},
               5,
               {6, 19}},
        // A control outside the group does not hold the line down.
        FitRow{"ControlsOutsideTheGroupAreFree",
               {{res::IDC_STATIC, ItemKind::GroupBox, "", 6, 6, 100, 50, None},
                {res::IDC_ZONE_TOP, ItemKind::Edit, "", 12, 9, 130, 12, None}},
               5,
               {6, 13}}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor::ui
