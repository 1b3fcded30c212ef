#include "sim/VirtualBoard.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace qor::sim {
namespace {

// A settings image with a distinct value in every byte from 2 on, byte 5 included.
SettingsReport Numbered(std::uint8_t first) {
  SettingsReport image{};
  for (std::size_t i = 2; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(first + i);
  return image;
}

SettingsReport Command(std::uint8_t command, const SettingsReport& payload = {}) {
  SettingsReport report = payload;
  report[0] = 0;
  report[1] = command;
  return report;
}

SettingsReport IdentificationReply(const std::string& text) {
  SettingsReport reply{};
  for (std::size_t i = 0; i < text.size(); ++i) reply[2 + i] = static_cast<std::uint8_t>(text[i]);
  return reply;
}

struct IdentifyCase {
  const char* Name;
  friend void PrintTo(const IdentifyCase& row, std::ostream* out) { *out << row.Name; }
  std::string Identification;
  SettingsReport Expected;
};

class IdentificationReplyTest : public testing::TestWithParam<IdentifyCase> {};

TEST_P(IdentificationReplyTest, AnswersTheIdentifyCommandWithItsText) {
  VirtualBoard board(GetParam().Identification, Numbered(0x10));
  const SettingsReport identify = Command(CommandIdentify, Numbered(0x60));
  ASSERT_TRUE(board.SetFeature(identify.data(), identify.size()));
  EXPECT_EQ(board.GetFeature(), GetParam().Expected);
  EXPECT_EQ(board.Stored(), Numbered(0x10)) << "identify must not store its payload";
}

const std::string Full(31, 'Q');
const std::string Raw31 = std::string(30, '\xFF') + '\x01';

INSTANTIATE_TEST_SUITE_P(
    Texts, IdentificationReplyTest,
    testing::Values(IdentifyCase{"ABC", "ABC", {0, 0, 'A', 'B', 'C'}}, IdentifyCase{"Empty", "", SettingsReport{}},
                    IdentifyCase{"ThirtyOneCharactersLeaveNoZero", Full, IdentificationReply(Full)},
                    IdentifyCase{"FortyCharactersAreCutAt31", std::string(31, 'Q') + "123456789",
                                 IdentificationReply(Full)},
                    IdentifyCase{"RawBytesTravelUnchanged", Raw31, IdentificationReply(Raw31)},
                    IdentifyCase{"EmbeddedZeroIsKept", std::string("AB\0CD", 5), {0, 0, 'A', 'B', 0, 'C', 'D'}}),
    [](const auto& info) { return info.param.Name; });

TEST(VirtualBoard, KeepsTheIdentificationCutAt31) {
  EXPECT_EQ(VirtualBoard(std::string(40, 'x'), {}).Identification(), std::string(31, 'x'));
}

TEST(VirtualBoard, StoredImageAlwaysHasZeroInBytes0And1) {
  SettingsReport stored = Numbered(0x20);
  stored[0] = 0x55;
  stored[1] = 0x66;
  VirtualBoard board("B", stored);
  stored[0] = stored[1] = 0;
  EXPECT_EQ(board.Stored(), stored);
  EXPECT_EQ(board.GetFeature(), stored) << "a board starts with the settings reply selected";
}

// A sequence of writes, then what the board answers and stores.
struct Write {
  SettingsReport Report;
  std::size_t Length = SettingsReportSize;
  bool Taken = true;
};

struct SequenceCase {
  const char* Name;
  friend void PrintTo(const SequenceCase& row, std::ostream* out) { *out << row.Name; }
  std::vector<Write> Writes;
  bool IdentificationSelected;
  SettingsReport Stored;  // what the settings reply then carries
};

class CommandSequenceTest : public testing::TestWithParam<SequenceCase> {};

TEST_P(CommandSequenceTest, SelectsAndStoresAsCommanded) {
  VirtualBoard board("ID", Numbered(0x10));
  for (const Write& write : GetParam().Writes) {
    const SettingsReport before = board.GetFeature();
    EXPECT_EQ(board.SetFeature(write.Report.data(), write.Length), write.Taken);
    if (!write.Taken) {
      EXPECT_EQ(board.GetFeature(), before) << "a refused write changes nothing";
    }
  }
  EXPECT_EQ(board.Stored(), GetParam().Stored);
  EXPECT_EQ(board.IdentificationSelected(), GetParam().IdentificationSelected);
  EXPECT_EQ(board.GetFeature(), GetParam().IdentificationSelected ? IdentificationReply("ID") : GetParam().Stored);
}

SettingsReport WithReportId(std::uint8_t id, SettingsReport report) {
  report[0] = id;
  return report;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandSequenceTest,
    testing::Values(
        SequenceCase{"StartsWithSettings", {}, false, Numbered(0x10)},
        SequenceCase{"IdentifySelectsIdentification", {{Command(CommandIdentify)}}, true, Numbered(0x10)},
        SequenceCase{"SelectSettingsIgnoresItsPayload",
                     {{Command(CommandIdentify)}, {Command(CommandSelectSettings, IdentificationReply("ID"))}},
                     false,
                     Numbered(0x10)},
        // Byte 5 has no meaning for the host, but the board must echo it.
        SequenceCase{"StoreKeepsEveryByteAndSelectsSettings",
                     {{Command(CommandIdentify)}, {Command(CommandStore, Numbered(0x40))}},
                     false,
                     Numbered(0x40)},
        SequenceCase{"UnknownCommandKeepsIdentificationSelected",
                     {{Command(CommandIdentify)}, {Command(0x02, Numbered(0x40))}},
                     true,
                     Numbered(0x10)},
        SequenceCase{"UnknownCommandStoresNothing", {{Command(0x7F, Numbered(0x40))}}, false, Numbered(0x10)},
        SequenceCase{"ShortWriteRefused", {{Command(CommandIdentify), 32, false}}, false, Numbered(0x10)},
        SequenceCase{"EmptyWriteRefused", {{Command(CommandIdentify), 0, false}}, false, Numbered(0x10)},
        SequenceCase{"ShortStoreRefused",
                     {{Command(CommandIdentify)}, {Command(CommandStore, Numbered(0x40)), 32, false}},
                     true,
                     Numbered(0x10)},
        SequenceCase{"OtherReportIdRefused",
                     {{WithReportId(1, Command(CommandStore, Numbered(0x40))), SettingsReportSize, false}},
                     false,
                     Numbered(0x10)}),
    [](const auto& info) { return info.param.Name; });

TEST(VirtualBoard, RefusesAWriteLongerThanItsReport) {
  VirtualBoard board("ID", Numbered(0x10));
  std::vector<std::uint8_t> report(65, 0);
  report[1] = CommandIdentify;
  EXPECT_FALSE(board.SetFeature(report.data(), report.size()));
  EXPECT_FALSE(board.SetFeature(nullptr, SettingsReportSize));
  EXPECT_FALSE(board.IdentificationSelected());
}

}  // namespace
}  // namespace qor::sim
