#include "settings/KeyCodeTable.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>

#include "tests/support/RowName.h"

namespace qor {
namespace {

struct Key {
  const char* Name;
  std::uint8_t Code;
};

// The key selectors' list as the KeyStick dialog offers it, written out
// independently of the program's table: a slip in either shows here.
constexpr Key ExpectedKeys[] = {
    {"F1", 0x3A},  // 0
    {"F2", 0x3B},      {"F3", 0x3C},       {"F4", 0x3D},      {"F5", 0x3E},       {"F6", 0x3F},
    {"F7", 0x40},      {"F8", 0x41},       {"F9", 0x42},      {"F10", 0x43},      {"F11", 0x44},  // 10
    {"F12", 0x45},     {"APPS", 0x65},     {"BKSP", 0x2A},    {"CAPS", 0x39},     {"DELETE", 0x4C},
    {"END", 0x4D},     {"ENTER", 0x28},    {"ESC", 0x29},     {"HOME", 0x4A},     {"INSERT", 0x49},  // 20
    {"NUM", 0x53},     {"PGDN", 0x4E},     {"PGUP", 0x4B},    {"PRNTSCRN", 0x46}, {"SCROLL", 0x47},
    {"SPACE", 0x2C},   {"TAB", 0x2B},      {"D ARROW", 0x51}, {"U ARROW", 0x52},  {"L ARROW", 0x50},  // 30
    {"R ARROW", 0x4F}, {"KP -", 0x56},     {"KP *", 0x55},    {"KP .", 0x63},     {"KP /", 0x54},
    {"KP +", 0x57},    {"KP 0", 0x62},     {"KP 1", 0x59},    {"KP 2", 0x5A},     {"KP 3", 0x5B},  // 40
    {"KP 4", 0x5C},    {"KP 5", 0x5D},     {"KP 6", 0x5E},    {"KP 7", 0x5F},     {"KP 8", 0x60},
    {"KP 9", 0x61},    {"KP ENTER", 0x58}, {"L ALT", 0xE2},   {"L CTRL", 0xE0},   {"L GUI", 0xE3},  // 50
    {"L SHFT", 0xE1},  {"R ALT", 0xE6},    {"R CTRL", 0xE4},  {"R GUI", 0xE7},    {"R SHIFT", 0xE5},
    {"A", 0x04},       {"B", 0x05},        {"C", 0x06},       {"D", 0x07},        {"E", 0x08},  // 60
    {"F", 0x09},       {"G", 0x0A},        {"H", 0x0B},       {"I", 0x0C},        {"J", 0x0D},
    {"K", 0x0E},       {"L", 0x0F},        {"M", 0x10},       {"N", 0x11},        {"O", 0x12},  // 70
    {"P", 0x13},       {"Q", 0x14},        {"R", 0x15},       {"S", 0x16},        {"T", 0x17},
    {"U", 0x18},       {"V", 0x19},        {"W", 0x1A},       {"X", 0x1B},        {"Y", 0x1C},  // 80
    {"Z", 0x1D},       {"0", 0x27},        {"1", 0x1E},       {"2", 0x1F},        {"3", 0x20},
    {"4", 0x21},       {"5", 0x22},        {"6", 0x23},       {"7", 0x24},        {"8", 0x25},  // 90
    {"9", 0x26},       {",", 0x36},        {"'", 0x34},       {"-", 0x2D},        {".", 0x37},
    {"/", 0x38},       {";", 0x33},        {"[", 0x2F},       {"\\", 0x31},       {"]", 0x30},  // 100
    {"`", 0x35},       {"=", 0x2E},
};
static_assert(std::size(ExpectedKeys) == KeyCodeTable::Count);

class KeyCodeTableTest : public testing::Test {
 protected:
  void SetUp() override { KeyCodeTable::ResetReverseMap(); }
  void TearDown() override { KeyCodeTable::ResetReverseMap(); }
};

TEST_F(KeyCodeTableTest, EveryEntryHasItsNameAndCodeInListOrder) {
  for (int i = 0; i < KeyCodeTable::Count; ++i) {
    EXPECT_STREQ(KeyCodeTable::NameAt(i), ExpectedKeys[i].Name) << "list index " << i;
    EXPECT_EQ(KeyCodeTable::CodeAt(i), ExpectedKeys[i].Code) << "list index " << i;
  }
}

TEST_F(KeyCodeTableTest, CodesAreTheKeyboardUsagesWithoutTheThreeLeftOut) {
  std::set<int> expected;
  for (int code = 0x04; code <= 0x65; ++code) expected.insert(code);
  for (int code = 0xE0; code <= 0xE7; ++code) expected.insert(code);
  for (int leftOut : {0x32, 0x48, 0x64}) expected.erase(leftOut);

  std::set<int> codes;
  for (int i = 0; i < KeyCodeTable::Count; ++i) codes.insert(KeyCodeTable::CodeAt(i));
  EXPECT_EQ(codes.size(), static_cast<std::size_t>(KeyCodeTable::Count)) << "codes are not distinct";
  EXPECT_EQ(codes, expected);
}

TEST_F(KeyCodeTableTest, ReverseMapIsAllZeroUntilBuilt) {
  for (int code = 0; code < 256; ++code)
    EXPECT_EQ(KeyCodeTable::IndexOfCode(static_cast<std::uint8_t>(code)), 0) << "code " << code;
}

TEST_F(KeyCodeTableTest, ReverseMapLeadsEveryCodeBackToItsIndex) {
  KeyCodeTable::BuildReverseMap();
  KeyCodeTable::BuildReverseMap();  // building again must not change anything
  for (int i = 0; i < KeyCodeTable::Count; ++i)
    EXPECT_EQ(KeyCodeTable::IndexOfCode(KeyCodeTable::CodeAt(i)), i) << "list index " << i;
}

TEST_F(KeyCodeTableTest, CodesOutsideTheTableStandForTheFirstEntry) {
  KeyCodeTable::BuildReverseMap();
  std::set<int> inTable;
  for (int i = 0; i < KeyCodeTable::Count; ++i) inTable.insert(KeyCodeTable::CodeAt(i));
  int outside = 0;
  for (int code = 0; code < 256; ++code) {
    if (inTable.count(code) != 0) continue;
    ++outside;
    EXPECT_EQ(KeyCodeTable::IndexOfCode(static_cast<std::uint8_t>(code)), 0) << "code " << code;
  }
  EXPECT_EQ(outside, 256 - KeyCodeTable::Count);
  for (int code : {0x00, 0x01, 0x32, 0x48, 0x64, 0x66, 0xFF})
    EXPECT_EQ(KeyCodeTable::IndexOfCode(static_cast<std::uint8_t>(code)), 0) << "code " << code;
  EXPECT_STREQ(KeyCodeTable::NameAt(KeyCodeTable::IndexOfCode(0x3A)), "F1");
}

// Runs whose list order differs from their code order.
struct OrderCase {
  const char* Name;
  std::uint8_t Code;
  int Index;
};

void PrintTo(const OrderCase& row, std::ostream* os) {
  *os << "code_0x" << std::hex << std::uppercase << int{row.Code};
}

class KeyCodeOrderTest : public testing::TestWithParam<OrderCase> {
 protected:
  void SetUp() override { KeyCodeTable::BuildReverseMap(); }
  void TearDown() override { KeyCodeTable::ResetReverseMap(); }
};

TEST_P(KeyCodeOrderTest, CodeLeadsToItsPlaceInTheList) {
  const OrderCase& row = GetParam();
  EXPECT_EQ(KeyCodeTable::IndexOfCode(row.Code), row.Index);
  EXPECT_STREQ(KeyCodeTable::NameAt(row.Index), row.Name);
}

INSTANTIATE_TEST_SUITE_P(ListEnds, KeyCodeOrderTest,
                         testing::Values(OrderCase{"F1", 0x3A, 0}, OrderCase{"=", 0x2E, 102}), test::RowName());

// "0" carries the highest code of the digit run yet comes first.
INSTANTIATE_TEST_SUITE_P(DigitRun, KeyCodeOrderTest,
                         testing::Values(OrderCase{"0", 0x27, 82}, OrderCase{"1", 0x1E, 83}, OrderCase{"9", 0x26, 91}),
                         test::RowName());

INSTANTIATE_TEST_SUITE_P(Modifiers, KeyCodeOrderTest,
                         testing::Values(OrderCase{"L ALT", 0xE2, 48}, OrderCase{"L CTRL", 0xE0, 49},
                                         OrderCase{"L GUI", 0xE3, 50}, OrderCase{"L SHFT", 0xE1, 51},
                                         OrderCase{"R ALT", 0xE6, 52}, OrderCase{"R CTRL", 0xE4, 53},
                                         OrderCase{"R GUI", 0xE7, 54}, OrderCase{"R SHIFT", 0xE5, 55}),
                         test::RowName());

}  // namespace
}  // namespace qor
