#include "device/linux/AccessHint.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/support/RowName.h"

namespace qor {
namespace {

// Attached boards this user may not open, as sysfs would name them.
class ClosedBoards final : public BoardProbe {
 public:
  explicit ClosedBoards(std::vector<UnopenableBoard> boards) : m_Boards(std::move(boards)) {}
  std::vector<UnopenableBoard> UnopenableBoards(const std::vector<UnopenedInterface>&) override { return m_Boards; }
  std::optional<std::string> UsbLocation(const std::string&) override { return std::nullopt; }
  std::optional<std::uint64_t> DeviceNumber(const std::string&) override { return std::nullopt; }

 private:
  std::vector<UnopenableBoard> m_Boards;
};

struct HintRow {
  const char* Name;
  std::vector<UnopenableBoard> Closed;
  std::vector<UnopenableBoard> Named;  // none: no hint at all
};
void PrintTo(const HintRow& row, std::ostream* os) { *os << row.Name; }

class AccessHintTest : public ::testing::TestWithParam<HintRow> {};

// Only boards closed for want of access rights are named, with the rules
// this installation holds.
TEST_P(AccessHintTest, NamesTheBoardsClosedToThisUser) {
  const HintRow& row = GetParam();
  ClosedBoards probe(row.Closed);
  const InstalledRules rules{"/x/70-qor-boards.rules", "/y/qor-boards-plugdev.rules"};
  AccessHint hint(probe, rules);
  EXPECT_EQ(hint.Hint({}), row.Named.empty() ? std::string() : AccessAdvice(row.Named, rules, AdviceLength::Short));
}

INSTANTIATE_TEST_SUITE_P(Boards, AccessHintTest,
                         ::testing::Values(HintRow{"nothing attached", {}, {}},
                                           HintRow{
                                               "one denied", {{"/dev/hidraw7", EACCES}}, {{"/dev/hidraw7", EACCES}}},
                                           HintRow{"two, one not permitted",
                                                   {{"/dev/hidraw2", EPERM}, {"/dev/hidraw9", EACCES}},
                                                   {{"/dev/hidraw2", EPERM}, {"/dev/hidraw9", EACCES}}},
                                           // A busy node is no matter of access rights.
                                           HintRow{"busy", {{"/dev/hidraw2", EBUSY}}, {}},
                                           HintRow{"busy and denied",
                                                   {{"/dev/hidraw2", EBUSY}, {"/dev/hidraw3", EACCES}},
                                                   {{"/dev/hidraw3", EACCES}}}),
                         test::RowName());

// Each case says its own thing, for its own nodes: the window shortly,
// qorctl with the steps.
TEST(AccessAdviceTest, FollowsWhatStandsInTheWay) {
  const InstalledRules rules{"/x/70-qor-boards.rules", "/y/qor-boards-plugdev.rules"};
  const std::vector<UnopenableBoard> denied = {{"/dev/hidraw2", EACCES, AccessCase::NotAtTheSeat},
                                               {"/dev/hidraw3", EACCES, AccessCase::RuleNotApplied},
                                               {"/dev/hidraw4", EACCES, AccessCase::NotAtTheSeat}};
  EXPECT_EQ(AccessAdvice(denied, rules, AdviceLength::Short),
            "This user may not open the QOR board at /dev/hidraw3 until the access rule reaches it: replug.\n"
            "This user may not open the QOR boards at /dev/hidraw2, /dev/hidraw4: the access rule serves the user at "
            "the computer only; for others see /y/qor-boards-plugdev.rules.");
  const std::string full = AccessAdvice({denied[0]}, rules);
  for (const char* step :
       {"sudo cp /y/qor-boards-plugdev.rules /etc/udev/rules.d/", "sudo usermod -aG plugdev", "log in again"})
    EXPECT_NE(full.find(step), std::string::npos) << step;
  EXPECT_NE(AccessAdvice({{"/dev/hidraw5", EACCES, AccessCase::RuleMissing}}, rules)
                .find("install the access rule /x/70-qor-boards.rules"),
            std::string::npos);
}

}  // namespace
}  // namespace qor
