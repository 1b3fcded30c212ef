#include "ui/WiringLabels.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/RowName.h"

namespace qor {
namespace {

// Terminal positions: L1..L10 are 0..9, R1..R10 are 10..19.
constexpr int L(int n) { return n - 1; }
constexpr int R(int n) { return 9 + n; }

struct Cell {
  int Mode;
  int Position;
  const char* Text;
};

void PrintTo(const Cell& cell, std::ostream* os) {
  *os << "Mode" << cell.Mode << (cell.Position < 10 ? 'L' : 'R') << cell.Position % 10 + 1;
}

class WiringCellTest : public ::testing::TestWithParam<Cell> {};

TEST_P(WiringCellTest, TerminalCarriesTheInputOfItsMode) {
  const Cell& cell = GetParam();
  const WiringLabels* labels = WiringLabelTable(cell.Mode);
  ASSERT_NE(labels, nullptr);
  EXPECT_STREQ((*labels)[cell.Position], cell.Text);
}

// The cells that tell the modes apart.
INSTANTIATE_TEST_SUITE_P(
    Modes, WiringCellTest,
    ::testing::Values(Cell{0, L(3), "Player 1 Z"}, Cell{0, R(1), "Player 1 X-rot"}, Cell{0, R(3), "Player 1 Z-rot"},
                      Cell{0, R(10), "Player 1 B14"}, Cell{1, R(1), "Player 2 X"}, Cell{1, R(4), "Player 2 B1"},
                      Cell{1, R(10), "Player 2 B7"}, Cell{2, R(7), "Player 1 Up"}, Cell{2, R(8), "Player 1 Down"},
                      Cell{2, R(9), "Player 1 Left"}, Cell{2, R(10), "Player 1 Right"}, Cell{3, L(1), "Player 1 X1"},
                      Cell{3, R(3), "Player 1 Y3"}, Cell{3, R(4), "Player 1 X-Dir"}, Cell{3, R(5), "Player 1 Y-Dir"},
                      Cell{3, R(10), "Player 1 B12"}, Cell{4, L(3), "No Connection"}, Cell{4, R(1), "No Connection"},
                      Cell{4, R(4), "Player 1 B8"}),
    test::RowName());

TEST(WiringLabelTableTest, LeftButtonsAreTheSameInEveryMode) {
  for (int mode = 0; mode < ModeCount; ++mode)
    for (int n = 4; n <= 10; ++n)
      EXPECT_EQ((*WiringLabelTable(mode))[L(n)], "Player 1 B" + std::to_string(n - 3)) << "mode " << mode;
}

TEST(WiringLabelTableTest, DigitalModeHasNoAxes) {
  const WiringLabels& digital = *WiringLabelTable(SingleDigital10Button);
  for (int position : {L(1), L(2), L(3), R(1), R(2), R(3)}) EXPECT_STREQ(digital[position], "No Connection");
}

TEST(WiringLabelTableTest, KeyStickDiffersFromSixAxisOnlyInTheZAndRotationAxes) {
  const WiringLabels& sixAxis = *WiringLabelTable(SingleAnalog6Axis);
  const WiringLabels& keyStick = *WiringLabelTable(SingleAnalogKeyStick);
  for (int position = 0; position < WiringTerminalCount; ++position) {
    const bool differs = position == L(3) || (position >= R(1) && position <= R(3));
    EXPECT_EQ(std::string(sixAxis[position]) != keyStick[position], differs) << "position " << position;
  }
}

TEST(WiringLabelTableTest, ValuesOutsideTheModesHaveNoLabels) {
  for (int mode : {-1, 5, 9, 255}) EXPECT_EQ(WiringLabelTable(mode), nullptr) << mode;
}

}  // namespace
}  // namespace qor
