#include "tools/virtual-board/UhidResponder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "tools/virtual-board/CommandLine.h"

namespace qor::virtualboard {
namespace {

uhid_event GetRequest(std::uint32_t id, std::uint8_t reportNumber = 0, std::uint8_t type = UHID_FEATURE_REPORT) {
  uhid_event event{};
  event.type = UHID_GET_REPORT;
  event.u.get_report = {id, reportNumber, type};
  return event;
}

// A set as hidraw passes it on: the caller's whole buffer, report number first.
uhid_event SetRequest(std::uint32_t id, const std::vector<std::uint8_t>& report,
                      std::uint8_t type = UHID_FEATURE_REPORT) {
  uhid_event event{};
  event.type = UHID_SET_REPORT;
  event.u.set_report.id = id;
  event.u.set_report.rnum = report.empty() ? 0 : report[0];
  event.u.set_report.rtype = type;
  event.u.set_report.size = static_cast<std::uint16_t>(report.size());
  std::memcpy(event.u.set_report.data, report.data(), report.size());
  return event;
}

std::vector<std::uint8_t> Command(std::uint8_t command, std::size_t length = SettingsReportSize) {
  std::vector<std::uint8_t> report(length, 0);
  if (length > 1) report[1] = command;
  return report;
}

UhidResponder Board(FaultPlan faults = {}) {
  return UhidResponder(std::make_unique<BoardReports>(std::make_shared<sim::VirtualBoard>("ABC", DefaultSettings())),
                       std::move(faults));
}

// The data of a successful get reply, or nullopt for an error reply.
std::optional<std::vector<std::uint8_t>> Data(const std::optional<uhid_event>& reply) {
  if (!reply || reply->type != UHID_GET_REPORT_REPLY || reply->u.get_report_reply.err != 0) return std::nullopt;
  const auto& data = reply->u.get_report_reply;
  return std::vector<std::uint8_t>(data.data, data.data + data.size);
}

bool SetSucceeded(const std::optional<uhid_event>& reply) {
  return reply && reply->type == UHID_SET_REPORT_REPLY && reply->u.set_report_reply.err == 0;
}

TEST(UhidResponderTest, GetRepliesWithReportNumberThenThe32DataBytes) {
  UhidResponder board = Board();
  const auto reply = board.Answer(GetRequest(41));
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->u.get_report_reply.id, 41u);
  const SettingsReport settings = DefaultSettings();
  EXPECT_EQ(Data(reply), std::vector<std::uint8_t>(settings.begin(), settings.end()));
}

TEST(UhidResponderTest, SetTakesTheReportNumberAsByte0) {
  UhidResponder board = Board();
  const auto reply = board.Answer(SetRequest(7, Command(CommandIdentify)));
  EXPECT_TRUE(SetSucceeded(reply));
  EXPECT_EQ(reply->u.set_report_reply.id, 7u);
  const auto identification = Data(board.Answer(GetRequest(8)));
  ASSERT_TRUE(identification);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(identification->data() + 2)), "ABC");
}

struct Refused {
  const char* Name;
  uhid_event Request;
};
void PrintTo(const Refused& row, std::ostream* out) { *out << row.Name; }

class RefusedRequestTest : public testing::TestWithParam<Refused> {};

TEST_P(RefusedRequestTest, FailsWithAnErrorAndChangesNothing) {
  UhidResponder board = Board();
  const auto reply = board.Answer(GetParam().Request);
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->type == UHID_GET_REPORT_REPLY ? reply->u.get_report_reply.err : reply->u.set_report_reply.err, EIO);
  // The settings reply is still selected.
  EXPECT_EQ(Data(board.Answer(GetRequest(2))).value().at(report_offset::Reserved), 0xA5);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, RefusedRequestTest,
    testing::Values(Refused{"SetWithoutReportNumber", SetRequest(1, std::vector<std::uint8_t>(32, 0xFF))},
                    Refused{"SetOfAnotherReport", SetRequest(1, {1, CommandIdentify})},
                    Refused{"SetOfAnOutputReport", SetRequest(1, Command(CommandIdentify), UHID_OUTPUT_REPORT)},
                    Refused{"GetOfAnotherReport", GetRequest(1, 1)},
                    Refused{"GetOfAnInputReport", GetRequest(1, 0, UHID_INPUT_REPORT)}),
    [](const testing::TestParamInfo<Refused>& info) { return std::string(info.param.Name); });

TEST(UhidResponderTest, PlannedFaultsStrikeTheirTransferOnly) {
  FaultPlan faults;
  faults.FailingGets = {2};
  faults.FailingSets = {1};
  UhidResponder board = Board(faults);

  // The failing first set never reaches the firmware: the settings stay selected.
  EXPECT_FALSE(SetSucceeded(board.Answer(SetRequest(1, Command(CommandIdentify)))));
  EXPECT_EQ(Data(board.Answer(GetRequest(2))).value().at(report_offset::Reserved), 0xA5);
  EXPECT_FALSE(Data(board.Answer(GetRequest(3))));
  EXPECT_TRUE(SetSucceeded(board.Answer(SetRequest(4, Command(CommandIdentify)))));
  EXPECT_EQ(Data(board.Answer(GetRequest(5))).value().at(2), 'A');
  EXPECT_EQ(board.Transfers(), 5);
}

TEST(UhidResponderTest, VanishesAfterAnsweringTheNamedTransfer) {
  FaultPlan faults;
  faults.VanishAfter = 3;
  UhidResponder board = Board(faults);
  EXPECT_TRUE(Data(board.Answer(GetRequest(1))));
  EXPECT_TRUE(SetSucceeded(board.Answer(SetRequest(2, Command(CommandSelectSettings)))));
  EXPECT_FALSE(board.Vanishing());
  EXPECT_TRUE(Data(board.Answer(GetRequest(3))));
  EXPECT_TRUE(board.Vanishing());
}

TEST(UhidResponderTest, EventsThatNeedNoAnswerGetNone) {
  UhidResponder board = Board();
  for (auto type : {UHID_START, UHID_STOP, UHID_OPEN, UHID_CLOSE, UHID_OUTPUT}) {
    uhid_event event{};
    event.type = type;
    EXPECT_FALSE(board.Answer(event)) << type;
  }
  EXPECT_EQ(board.Transfers(), 0);
}

TEST(UhidResponderTest, WideReportKeepsItsSixtyFiveBytes) {
  UhidResponder wide(std::make_unique<PlainReports>(64), {});
  std::vector<std::uint8_t> report(65, 0x33);
  report[0] = 0;
  EXPECT_TRUE(SetSucceeded(wide.Answer(SetRequest(1, report))));
  EXPECT_EQ(Data(wide.Answer(GetRequest(2))), report);
  EXPECT_FALSE(SetSucceeded(wide.Answer(SetRequest(3, Command(CommandStore)))));
}

TEST(UhidResponderTest, DeviceWithoutFeatureReportsRefusesEveryTransfer) {
  UhidResponder joystick(std::make_unique<PlainReports>(0), {});
  EXPECT_FALSE(Data(joystick.Answer(GetRequest(1))));
  EXPECT_FALSE(SetSucceeded(joystick.Answer(SetRequest(2, {0}))));
}

}  // namespace
}  // namespace qor::virtualboard
