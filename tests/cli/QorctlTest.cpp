// qorctl end to end over simulated boards: what it prints, its exit status,
// and the bytes it sends, compared with what the window sends for the same task.

#include "cli/Qorctl.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "ChildProcess.h"
#include "JsonCheck.h"
#include "TempFolder.h"
#include "cli/StandardOutput.h"
#include "cli/Text.h"
#include "settings/KeyCodeTable.h"
#include "settings/posix/FileIo.h"
#include "sim/SimPlatform.h"

namespace qor::cli {
namespace {

using sim::CallKind;
using sim::SimPlatform;
using sim::VirtualBoard;
using Args = std::vector<std::string>;

constexpr const char* NoDevices = "qorctl: No devices found!\n";
constexpr const char* LinkLost = "qorctl: Device communication interrupted!\nPlease verify device connection.\n";
constexpr const char* Saved = "Settings Saved! Please disconnect and reconnect device to apply changes.\n";
constexpr std::uint8_t BoardReserved = 0x55;
constexpr const char* AccessRule = "/usr/lib/udev/rules.d/70-qor-boards.rules";
constexpr const char* PlugdevExample = "/usr/share/doc/qorctl/examples/qor-boards-plugdev.rules";
// The confirmation of a save to the only board.
const std::string SavedToBoard1 = std::string("Wrote board 1: ABC (/dev/hidraw0)\n") + Saved;

// What a board holds: a distinct value in every byte, byte 5 included.
SettingsReport BoardSettings(std::uint8_t seed = 0x20) {
  SettingsReport image{};
  for (std::size_t i = 2; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(seed + i);
  image[report_offset::BoardId] = 2;
  image[report_offset::Mode] = DualAnalog3Axis;
  image[report_offset::Reserved] = BoardReserved;
  return image;
}

SettingsReport With(SettingsReport image, std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
  for (const auto& [offset, value] : bytes) image[offset] = value;
  return image;
}

std::vector<std::uint8_t> Bytes(const SettingsReport& image) { return {image.begin(), image.end()}; }

class FakeProbe final : public BoardProbe {
 public:
  std::vector<UnopenableBoard> UnopenableBoards(const std::vector<UnopenedInterface>& unopened) override {
    Unopened = unopened;
    return Boards;
  }
  std::optional<std::string> UsbLocation(const std::string& node) override {
    ++LocationAsks[node];
    const auto found = Locations.find(node);
    if (found == Locations.end()) return std::nullopt;
    return found->second;
  }
  std::optional<std::uint64_t> DeviceNumber(const std::string& path) override {
    const auto found = Devices.find(path);
    if (found == Devices.end()) return std::nullopt;
    return found->second;
  }
  std::vector<UnopenableBoard> Boards;
  std::map<std::string, std::string> Locations;  // node -> USB location
  std::map<std::string, std::uint64_t> Devices;  // path -> the device it opens
  std::vector<UnopenedInterface> Unopened;       // what the last call was told the scan could not open
  std::map<std::string, int> LocationAsks;       // node -> how often its location was asked
};

struct Outcome {
  int Status;
  std::string Out;
  std::string Err;
};

// A pipe as a stand-in for standard input or output.
class Pipe {
 public:
  Pipe() {
    if (::pipe(m_Ends) != 0) throw std::runtime_error("pipe failed");
  }
  ~Pipe() {
    CloseWriteEnd();
    ::close(m_Ends[0]);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  int ReadEnd() const { return m_Ends[0]; }
  int WriteEnd() const { return m_Ends[1]; }
  void CloseWriteEnd() {
    if (m_Ends[1] >= 0) ::close(m_Ends[1]);
    m_Ends[1] = -1;
  }
  // Everything written, once the write end is closed here (and in children).
  std::string Drain() {
    CloseWriteEnd();
    std::string bytes;
    char buffer[256];
    for (ssize_t n; (n = ::read(m_Ends[0], buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(n));
    return bytes;
  }
  void Feed(const std::string& bytes) {
    if (::write(m_Ends[1], bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
      throw std::runtime_error("write to pipe failed");
    CloseWriteEnd();
  }

 private:
  int m_Ends[2] = {-1, -1};
};

class QorctlTest : public testing::Test {
 protected:
  // outFd stands for standard output where a file named "-" is written.
  Outcome Qorctl(const Args& arguments, int outFd = -1, int inFd = STDIN_FILENO) {
    std::ostringstream out;
    std::ostringstream err;
    CommandContext context{m_Platform, m_Probe, out, err, {AccessRule, PlugdevExample}, inFd, outFd};
    const int status = cli::Run(arguments, context);
    return {status, out.str(), err.str()};
  }

  // The same in a child process, as an ordinary user where the tests run as root.
  Outcome QorctlAsOrdinaryUser(const Args& arguments) {
    Pipe printed;
    const int status = qor::test::RunInChild(true, [&] {
      const Outcome outcome = Qorctl(arguments);
      const std::string text = outcome.Out + '\0' + outcome.Err;
      const bool passed = ::write(printed.WriteEnd(), text.data(), text.size()) == static_cast<ssize_t>(text.size());
      return passed ? outcome.Status : 99;
    });
    const std::string text = printed.Drain();
    const std::size_t end = std::min(text.find('\0'), text.size());
    return {status, text.substr(0, end), text.substr(std::min(end + 1, text.size()))};
  }

  std::shared_ptr<VirtualBoard> Attach(const std::string& identification, const SettingsReport& stored) {
    return m_Platform.AddBoard(identification, stored);
  }

  // The settings images written with the store command, in order.
  std::vector<SettingsReport> StoreWrites() const {
    std::vector<SettingsReport> writes;
    for (const sim::Call& call : m_Platform.Log()) {
      if (call.Kind != CallKind::SetFeature || call.Bytes.size() != SettingsReportSize ||
          call.Bytes[report_offset::Command] != CommandStore)
        continue;
      SettingsReport image{};
      std::copy(call.Bytes.begin(), call.Bytes.end(), image.begin());
      writes.push_back(image);
    }
    return writes;
  }

  SimPlatform m_Platform;
  FakeProbe m_Probe;
  qor::test::TempFolder m_Folder;
};

// --- help and usage ---

TEST_F(QorctlTest, HelpNamesTheCommandsAndExitCodes) {
  const Outcome outcome = Qorctl({"--help"});
  EXPECT_EQ(outcome.Status, 0);
  for (const char* part : {"list [-j]", "show [-b BOARD | -f FILE] [-j]", "get SETTING", "export [-b BOARD] FILE",
                           "import [-b BOARD] FILE", "set [-b BOARD | -f FILE] [-n] KEY=VALUE", "  2  usage",
                           "  3  no board", "  4  communication failure", "  5  file error"}) {
    EXPECT_NE(outcome.Out.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(outcome.Err, "");
}

TEST_F(QorctlTest, VersionIsThePackageVersion) {
  const Outcome outcome = Qorctl({"--version"});
  EXPECT_EQ(outcome.Status, 0);
  EXPECT_TRUE(outcome.Out.starts_with("qorctl ")) << outcome.Out;
}

struct Misuse {
  const char* Name;
  Args Arguments;
};

class UsageErrors : public QorctlTest, public testing::WithParamInterface<Misuse> {};

// A usage error never reaches a board: not even a scan is made.
TEST_P(UsageErrors, Exit2BeforeAnyDeviceCall) {
  Attach("ABC", BoardSettings());
  const Outcome outcome = Qorctl(GetParam().Arguments);
  EXPECT_EQ(outcome.Status, 2);
  EXPECT_EQ(outcome.Out, "");
  EXPECT_TRUE(outcome.Err.starts_with("qorctl: ")) << outcome.Err;
  EXPECT_NE(outcome.Err.find("Try \"qorctl --help\"."), std::string::npos);
  EXPECT_TRUE(m_Platform.Log().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, UsageErrors,
                         testing::Values(Misuse{"NoCommand", {}}, Misuse{"UnknownCommand", {"reset"}},
                                         Misuse{"NoBoard", {"show", "--board="}},
                                         Misuse{"UnknownSettingToGet", {"get", "--board", "1", "colour"}},
                                         Misuse{"UnknownSetting", {"set", "colour=red"}},
                                         Misuse{"BadKeyName", {"set", "key.up=Spacebar"}},
                                         Misuse{"InvalidZone", {"set", "--dry-run", "joymouse-zone=1,1,0,5"}},
                                         Misuse{"GoodThenBadSetting", {"set", "mode=1", "mode=2"}}),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- list ---

TEST_F(QorctlTest, ListNumbersTheBoardsAsTheWindowDoes) {
  Attach("ABC", BoardSettings());
  m_Probe.Locations["/dev/hidraw0"] = "1-1.4";
  Attach("QOR Board 2", BoardSettings());
  const Outcome outcome = Qorctl({"list"});
  EXPECT_EQ(outcome.Status, 0);
  // Columns: number and text, node, USB location, product ID.
  EXPECT_EQ(outcome.Out,
            "1: ABC          /dev/hidraw0  1-1.4  0x07b3\n"
            "2: QOR Board 2  /dev/hidraw1  -      0x07b3\n");
  EXPECT_EQ(outcome.Err, "");
}

TEST_F(QorctlTest, ListWithoutBoardsSaysNoDevicesFound) {
  const Outcome outcome = Qorctl({"list"});
  EXPECT_EQ(outcome.Status, 3);
  EXPECT_EQ(outcome.Out, "");
  EXPECT_EQ(outcome.Err, NoDevices);
}

TEST_F(QorctlTest, ListShowsABoardThatDoesNotAnswerWithoutTextAndFails) {
  Attach("ABC", BoardSettings());
  Attach("DEF", BoardSettings());
  m_Platform.FailSetFeature(3);  // the first write of the second identification
  const Outcome outcome = Qorctl({"list"});
  EXPECT_EQ(outcome.Status, 4);
  EXPECT_EQ(outcome.Out,
            "1: ABC  /dev/hidraw0  -  0x07b3\n"
            "2:      /dev/hidraw1  -  0x07b3\n");
  EXPECT_EQ(outcome.Err, "qorctl: board 2 did not answer\n");
}

TEST_F(QorctlTest, ListEscapesControlCharactersOfAnIdentification) {
  Attach("A\x1b[2JB", BoardSettings());
  EXPECT_TRUE(Qorctl({"list"}).Out.starts_with("1: A\\x1b[2JB  ")) << Qorctl({"list"}).Out;
}

// --- boards that are there but cannot be opened ---

struct Access {
  const char* Name;
  int AccessibleBoards;
  std::vector<UnopenableBoard> Unopenable;
  Args Arguments;
  int Status;
  std::vector<std::string> ErrHas;
  std::vector<std::string> ErrLacks;
};

class Unopenable : public QorctlTest, public testing::WithParamInterface<Access> {};

TEST_P(Unopenable, BoardsAreNamedWithTheWayToAccess) {
  for (int i = 0; i < GetParam().AccessibleBoards; ++i) Attach("ABC", BoardSettings());
  m_Probe.Boards = GetParam().Unopenable;
  const Outcome outcome = Qorctl(GetParam().Arguments);
  EXPECT_EQ(outcome.Status, GetParam().Status);
  for (const std::string& part : GetParam().ErrHas) EXPECT_NE(outcome.Err.find(part), std::string::npos) << part;
  for (const std::string& part : GetParam().ErrLacks) EXPECT_EQ(outcome.Err.find(part), std::string::npos) << part;
}

const std::string RuleName = "70-qor-boards.rules";
const std::string Denied = "a QOR board is attached at /dev/hidraw7, but it cannot be opened: Permission denied";

INSTANTIATE_TEST_SUITE_P(Rows, Unopenable,
                         testing::Values(Access{"ListPermissionDeniedRuleMissing",
                                                0,
                                                {{"/dev/hidraw7", EACCES}},
                                                {"list"},
                                                3,
                                                {Denied, "install the access rule /usr/lib/udev/rules.d/" + RuleName},
                                                {"No devices found!", "usermod"}},
                                         // Over ssh the seat's rule never applies: the plugdev steps themselves.
                                         Access{"ShowNotAtTheSeat",
                                                0,
                                                {{"/dev/hidraw7", EACCES, AccessCase::NotAtTheSeat}},
                                                {"show"},
                                                3,
                                                {Denied, std::string("sudo cp ") + PlugdevExample,
                                                 "sudo usermod -aG plugdev \"$USER\"", "then log in again"},
                                                {"No devices found!"}},
                                         Access{"RuleNotApplied",
                                                0,
                                                {{"/dev/hidraw7", EACCES, AccessCase::RuleNotApplied}},
                                                {"show"},
                                                3,
                                                {Denied, "sudo udevadm trigger"},
                                                {"usermod"}},
                                         Access{"OperationNotPermitted",
                                                0,
                                                {{"/dev/hidraw7", EPERM}},
                                                {"export", "x.qos"},
                                                3,
                                                {"Operation not permitted", RuleName},
                                                {}},
                                         Access{"BusyIsNoMatterOfTheRule",
                                                0,
                                                {{"/dev/hidraw2", EBUSY}},
                                                {"list"},
                                                3,
                                                {"/dev/hidraw2, but it cannot be opened: Device or resource busy"},
                                                {RuleName, "No devices found!"}},
                                         Access{"ListNamesThemBesideTheOthers",
                                                1,
                                                {{"/dev/hidraw7", EACCES}},
                                                {"list"},
                                                0,
                                                {Denied, RuleName},
                                                {"No devices found!"}},
                                         Access{"BoardNumberBeyondTheOpenOnes",
                                                1,
                                                {{"/dev/hidraw7", EACCES}},
                                                {"show", "--board", "2"},
                                                3,
                                                {"there is no board 2; boards found: 1", Denied, RuleName},
                                                {}},
                                         Access{"NothingThere", 0, {}, {"show"}, 3, {"No devices found!"}, {RuleName}}),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- show ---

TEST_F(QorctlTest, ShowDecodesTheSelectedBoard) {
  Attach("ABC", BoardSettings());
  Attach("DEF", With(BoardSettings(), {{report_offset::Mode, SingleAnalogKeyStick}, {report_offset::BoardId, 0}}));
  const Outcome outcome = Qorctl({"show", "--board", "2"});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_TRUE(
      outcome.Out.starts_with("Board:               2: DEF\n"
                              "Board ID:            1\n"
                              "Mode:                Single Analog 2-Axis 14 Button KeyStick\n"))
      << outcome.Out;
  EXPECT_EQ(outcome.Err, "");
  EXPECT_TRUE(StoreWrites().empty());
}

TEST_F(QorctlTest, ShowJsonIsOneObject) {
  Attach("ABC", BoardSettings());
  const Outcome outcome = Qorctl({"show", "--json"});
  EXPECT_EQ(outcome.Status, 0);
  const auto keys = test::JsonObjectKeys(outcome.Out);
  ASSERT_TRUE(keys) << outcome.Out;
  EXPECT_TRUE(keys->contains("keys") && keys->contains("mode") && keys->contains("identification"));
  EXPECT_NE(outcome.Out.find("\"report\": \"" + HexBytes(BoardSettings()) + "\""), std::string::npos);
}

// A board left with its identification reply selected, by an exchange cut
// short, is still read for its settings: it is identified first, as the
// window's scan does.
TEST_F(QorctlTest, ShowReadsSettingsFromABoardLeftOnItsIdentification) {
  const auto board = Attach("ABC", BoardSettings());
  SettingsReport identify{};
  identify[report_offset::Command] = CommandIdentify;
  board->SetFeature(identify.data(), identify.size());
  ASSERT_TRUE(board->IdentificationSelected());

  const Outcome outcome = Qorctl({"show", "--json"});
  EXPECT_NE(outcome.Out.find("\"report\": \"" + HexBytes(BoardSettings()) + "\""), std::string::npos) << outcome.Out;
}

struct Failure {
  const char* Name;
  std::function<void(SimPlatform&)> Inject;
};

class ShowFailures : public QorctlTest, public testing::WithParamInterface<Failure> {};

TEST_P(ShowFailures, AreCommunicationFailures) {
  Attach("ABC", BoardSettings());
  GetParam().Inject(m_Platform);
  const Outcome outcome = Qorctl({"show"});
  EXPECT_EQ(outcome.Status, 4);
  EXPECT_EQ(outcome.Out, "");
  EXPECT_EQ(outcome.Err, LinkLost);
}

INSTANTIATE_TEST_SUITE_P(Rows, ShowFailures,
                         testing::Values(Failure{"IdentifyWrite", [](SimPlatform& p) { p.FailSetFeature(1); }},
                                         Failure{"IdentifyRead", [](SimPlatform& p) { p.FailGetFeature(1); }},
                                         Failure{"SelectSettingsWrite", [](SimPlatform& p) { p.FailSetFeature(2); }},
                                         Failure{"SettingsRead", [](SimPlatform& p) { p.FailGetFeature(3); }}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(QorctlTest, ShowABoardBeyondTheListIsNoBoard) {
  Attach("ABC", BoardSettings());
  Attach("DEF", BoardSettings());
  const Outcome outcome = Qorctl({"show", "--board", "3"});
  EXPECT_EQ(outcome.Status, 3);
  EXPECT_EQ(outcome.Err, "qorctl: there is no board 3; boards found: 2 (see qorctl list)\n");
}

// --- export ---

TEST_F(QorctlTest, ExportWritesWhatTheWindowExports) {
  Attach("ABC", BoardSettings());
  const std::string file = m_Folder / "board.qos";
  const Outcome outcome = Qorctl({"export", file});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, "Settings exported!\n");
  // Bytes 0, 1 and 5 are 0; the rest is the board's.
  EXPECT_EQ(qor::test::ReadBytes(file), Bytes(With(BoardSettings(), {{report_offset::Reserved, 0}})));
  EXPECT_TRUE(StoreWrites().empty());
}

// The window holds bytes 2 and 3 as list selections; a value outside a list
// leaves it without a selection, which the window exports as 255.
TEST_F(QorctlTest, ExportWritesOutOfRangeListBytesAs255LikeTheWindow) {
  Attach("ABC", With(BoardSettings(), {{report_offset::BoardId, 7}, {report_offset::Mode, 9}, {15, 0x00}}));
  const std::string file = m_Folder / "odd.qos";
  ASSERT_EQ(Qorctl({"export", file}).Status, 0);
  EXPECT_EQ(
      qor::test::ReadBytes(file),
      Bytes(With(
          BoardSettings(),
          {{report_offset::BoardId, 0xFF}, {report_offset::Mode, 0xFF}, {report_offset::Reserved, 0}, {15, 0x00}})));
}

TEST_F(QorctlTest, ExportOfBoard2ReadsBoard2) {
  Attach("ABC", BoardSettings());
  Attach("DEF", BoardSettings(0x40));
  const std::string file = m_Folder / "two.qos";
  ASSERT_EQ(Qorctl({"export", "--board", "2", file}).Status, 0);
  EXPECT_EQ(qor::test::ReadBytes(file), Bytes(With(BoardSettings(0x40), {{report_offset::Reserved, 0}})));
}

struct FileFailure {
  const char* Name;
  std::function<std::string(const qor::test::TempFolder&)> Arrange;  // returns the path to export to
  std::string Reason;                                                // what follows "qorctl: PATH: "
};

class ExportFileFailures : public QorctlTest, public testing::WithParamInterface<FileFailure> {};

// The file and the system's reason; the window's text follows where it says
// why (never "permission" for a missing folder). Run as an ordinary user.
TEST_P(ExportFileFailures, NameTheFileAndTheReason) {
  Attach("ABC", BoardSettings());
  const std::string path = GetParam().Arrange(m_Folder);
  if (path.starts_with("/dev/") && !std::filesystem::exists(path)) GTEST_SKIP() << "no " << path;
  m_Folder.HandToUnprivilegedUser();
  const Outcome outcome = QorctlAsOrdinaryUser({"export", path});
  EXPECT_EQ(outcome.Status, 5);
  EXPECT_EQ(outcome.Out, "");
  EXPECT_EQ(outcome.Err, "qorctl: " + path + ": " + GetParam().Reason);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ExportFileFailures,
    testing::Values(
        FileFailure{"FolderMissing", [](const auto& folder) { return folder / "missing/board.qos"; },
                    "No such file or directory\n"},
        FileFailure{"FolderNotWritable",
                    [](const auto& folder) {
                      std::filesystem::create_directory(folder / "locked");
                      std::filesystem::permissions(folder / "locked", std::filesystem::perms(0555));
                      return folder / "locked/board.qos";
                    },
                    "Permission denied\nCould not open file for writing! Please verify that you have write "
                    "permission in the destination folder.\n"},
        FileFailure{"DiskFull", [](const auto&) { return std::string("/dev/full"); },
                    "No space left on device\nAn error occured while attempting to write the settings file.\nPlease "
                    "check the ammount of free disk space and try again.\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(QorctlTest, ExportWritesNoFileWhenTheBoardIsNotRead) {
  const std::string file = m_Folder / "none.qos";
  EXPECT_EQ(Qorctl({"export", file}).Status, 3);
  Attach("ABC", BoardSettings());
  m_Platform.FailGetFeature(3);
  EXPECT_EQ(Qorctl({"export", file}).Status, 4);
  EXPECT_FALSE(std::filesystem::exists(file));
}

// --- import ---

// A file with values of its own everywhere, bytes 0, 1 and 5 included.
SettingsReport FileSettings() {
  SettingsReport image = BoardSettings(0x70);
  image[report_offset::ReportId] = 0xAB;
  image[report_offset::Command] = 0xCD;
  image[report_offset::Reserved] = 0x99;
  image[report_offset::BoardId] = 3;
  image[report_offset::Mode] = Single49Way12Button;
  return image;
}

// What the window's import followed by "Save Settings" writes: the file's
// bytes 2..4 and 6..32, 0 in bytes 0 and 1, and the board's own byte 5.
SettingsReport WindowSaveOf(const SettingsReport& file) {
  return With(
      file,
      {{report_offset::ReportId, 0}, {report_offset::Command, CommandStore}, {report_offset::Reserved, BoardReserved}});
}

TEST_F(QorctlTest, ImportSavesTheFileAsTheWindowDoes) {
  const auto board = Attach("ABC", BoardSettings());
  m_Folder.Write("in.qos", Bytes(FileSettings()));
  const Outcome outcome = Qorctl({"import", m_Folder / "in.qos"});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, SavedToBoard1);
  ASSERT_EQ(StoreWrites().size(), 1u);
  EXPECT_EQ(StoreWrites()[0], WindowSaveOf(FileSettings()));
  EXPECT_EQ(board->Stored(), WindowSaveOf(FileSettings()));

  // The store write is verified: a 500 ms pause, then one read-back, the
  // last call but the closes of the link's handles.
  std::vector<sim::Call> log = m_Platform.Log();
  std::erase_if(log, [](const sim::Call& call) { return call.Kind == CallKind::Close; });
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(sim::Render(log[log.size() - 2]), "pause 500");
  EXPECT_EQ(log.back().Kind, CallKind::GetFeature);
}

TEST_F(QorctlTest, ImportOfOutOfRangeListBytesSends255LikeTheWindow) {
  Attach("ABC", BoardSettings());
  const SettingsReport file = With(FileSettings(), {{report_offset::BoardId, 4}, {report_offset::Mode, 5}});
  m_Folder.Write("odd.qos", Bytes(file));
  ASSERT_EQ(Qorctl({"import", m_Folder / "odd.qos"}).Status, 0);
  ASSERT_EQ(StoreWrites().size(), 1u);
  EXPECT_EQ(StoreWrites()[0], WindowSaveOf(With(file, {{report_offset::BoardId, 0xFF}, {report_offset::Mode, 0xFF}})));
}

TEST_F(QorctlTest, ImportUsesTheFirst33BytesOfALongerFile) {
  Attach("ABC", BoardSettings());
  std::vector<std::uint8_t> bytes = Bytes(FileSettings());
  bytes.push_back(0x42);
  m_Folder.Write("long.qos", bytes);
  ASSERT_EQ(Qorctl({"import", m_Folder / "long.qos"}).Status, 0);
  EXPECT_EQ(StoreWrites().at(0), WindowSaveOf(FileSettings()));
}

TEST_F(QorctlTest, ImportToBoard2KeepsBoard2sByte5) {
  Attach("ABC", BoardSettings());
  const auto second = Attach("DEF", With(BoardSettings(), {{report_offset::Reserved, 0x66}}));
  m_Folder.Write("in.qos", Bytes(FileSettings()));
  ASSERT_EQ(Qorctl({"import", "--board", "2", m_Folder / "in.qos"}).Status, 0);
  EXPECT_EQ(second->Stored(), With(WindowSaveOf(FileSettings()), {{report_offset::Reserved, 0x66}}));
}

struct BadFile {
  const char* Name;
  std::string Content;  // "none": no file at all, "folder": a folder
  std::string Reason;   // what follows "qorctl: FILE: "
};

class FileFailures : public QorctlTest, public testing::WithParamInterface<BadFile> {};

constexpr const char* Corrupt = "Settings file appears to be corrupt.  Please verify and try again.\n";

// A file that cannot be used is refused, with its name and the reason, before
// any board is touched, whichever command reads it.
TEST_P(FileFailures, AreFileErrorsWithoutDeviceCalls) {
  Attach("ABC", BoardSettings());
  if (GetParam().Content == "folder") {
    m_Folder.Write("bad.qos/x", "");
  } else if (GetParam().Content != "none") {
    m_Folder.Write("bad.qos", GetParam().Content);
  }
  const std::string file = m_Folder / "bad.qos";
  for (const Args& arguments : {Args{"import", file}, Args{"show", "-f", file}, Args{"get", "mode", "--file", file},
                                Args{"set", "-f", file, "mode=1"}}) {
    const Outcome outcome = Qorctl(arguments);
    EXPECT_EQ(outcome.Status, 5) << arguments[0];
    EXPECT_EQ(outcome.Out, "");
    EXPECT_EQ(outcome.Err, "qorctl: " + file + ": " + GetParam().Reason);
  }
  EXPECT_TRUE(m_Platform.Log().empty());
  if (GetParam().Content != "none" && GetParam().Content != "folder") {
    EXPECT_EQ(qor::test::ReadBytes(file).size(), GetParam().Content.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, FileFailures,
                         testing::Values(BadFile{"Missing", "none", "No such file or directory\n"},
                                         BadFile{"Folder", "folder", "Is a directory\n"},
                                         BadFile{"Empty", "",
                                                 std::string("0 bytes; a settings file holds 33\n") + Corrupt},
                                         BadFile{"ThirtyTwoBytes", std::string(32, '\x01'),
                                                 std::string("32 bytes; a settings file holds 33\n") + Corrupt}),
                         [](const auto& info) { return std::string(info.param.Name); });

// --- a file named "-": standard input and output ---

std::string Text(const SettingsReport& image) { return {image.begin(), image.end()}; }

struct StreamCase {
  const char* Name;
  Args Arguments;  // "/dev/fd/OUT" names the output pipe
  std::string Input;
  int Status;
  std::string Out;
  std::string Err;
  std::string Written;  // what reaches the output pipe
  bool Saved;           // the file's settings reached the board
};

class Streams : public QorctlTest, public testing::WithParamInterface<StreamCase> {};

// Standard input is a pipe for the run (/dev/stdin too), standard output
// another; the run happens in the test's folder, where no file named "-"
// may appear.
TEST_P(Streams, AreReadAndWrittenAsFilesAre) {
  const StreamCase& row = GetParam();
  const auto board = Attach("ABC", BoardSettings());
  Pipe input;
  Pipe output;
  input.Feed(row.Input);
  Args arguments = row.Arguments;
  std::replace(arguments.begin(), arguments.end(), std::string("/dev/fd/OUT"),
               "/dev/fd/" + std::to_string(output.WriteEnd()));

  const int savedInput = ::dup(STDIN_FILENO);
  const std::filesystem::path savedFolder = std::filesystem::current_path();
  ASSERT_GE(::dup2(input.ReadEnd(), STDIN_FILENO), 0);
  std::filesystem::current_path(m_Folder.path());
  const Outcome outcome = Qorctl(arguments, output.WriteEnd());
  std::filesystem::current_path(savedFolder);
  ::dup2(savedInput, STDIN_FILENO);
  ::close(savedInput);

  EXPECT_EQ(outcome.Status, row.Status);
  EXPECT_EQ(outcome.Out, row.Out);
  EXPECT_EQ(outcome.Err, row.Err);
  EXPECT_EQ(output.Drain(), row.Written);
  EXPECT_EQ(board->Stored(), row.Saved ? WindowSaveOf(FileSettings()) : BoardSettings());
  EXPECT_TRUE(m_Folder.Entries().empty());
}

const std::string Exported = Text(With(BoardSettings(), {{report_offset::Reserved, 0}}));

INSTANTIATE_TEST_SUITE_P(
    Rows, Streams,
    testing::Values(
        // The settings alone go to the output; the confirmation to standard error.
        StreamCase{"ExportDash", {"export", "-"}, "", 0, "", "Settings exported!\n", Exported, false},
        StreamCase{
            "ExportToTheOutputByName", {"export", "/dev/fd/OUT"}, "", 0, "", "Settings exported!\n", Exported, false},
        StreamCase{"ImportDashUsesTheFirst33Bytes",
                   {"import", "-"},
                   Text(FileSettings()) + "x",
                   0,
                   SavedToBoard1,
                   "",
                   "",
                   true},
        StreamCase{"ImportDevStdin", {"import", "/dev/stdin"}, Text(FileSettings()), 0, SavedToBoard1, "", "", true},
        StreamCase{"ImportDashShort",
                   {"import", "-"},
                   Text(FileSettings()).substr(0, 32),
                   5,
                   "",
                   std::string("qorctl: standard input: 32 bytes; a settings file holds 33\n") + Corrupt,
                   "",
                   false},
        StreamCase{"SetFileDashIsAFilter",
                   {"set", "-f", "-", "board-id=1"},
                   Text(FileSettings()),
                   0,
                   "",
                   "Wrote standard output\n",
                   Text(With(FileSettings(), {{report_offset::BoardId, 0}})),
                   false},
        StreamCase{"SetFileDashRefusesALongerStream",
                   {"set", "-f", "-", "board-id=1"},
                   Text(FileSettings()) + "x",
                   5,
                   "",
                   "qorctl: standard input: more than 33 bytes; set -f changes only settings files of exactly 33\n",
                   "",
                   false}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- output that does not get through ---

enum class Destination { Full, File, Closed };

struct OutputCase {
  const char* Name;
  Args Arguments;
  Destination Output;
  int Status;
  std::string Err;
};

class Output : public QorctlTest, public testing::WithParamInterface<OutputCase> {};

// Runs as qorctl's main does, with standard output and error redirected in a
// child process.
TEST_P(Output, ThatDoesNotGetThroughExits5) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const OutputCase& row = GetParam();
  Attach("ABC", BoardSettings());
  const std::string errFile = m_Folder / "err.txt";
  const std::string outFile = m_Folder / "out.txt";
  const int status = qor::test::RunInChild(false, [&] {
    const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (err < 0 || ::dup2(err, STDERR_FILENO) < 0) return 99;
    if (row.Output == Destination::Closed) {
      ::close(STDOUT_FILENO);
    } else {
      const int out = row.Output == Destination::Full ? ::open("/dev/full", O_WRONLY)
                                                      : ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0) return 99;
    }
    CommandContext context{m_Platform, m_Probe, std::cout, std::cerr};
    return FinishStandardOutput(cli::Run(row.Arguments, context), std::cerr);
  });
  EXPECT_EQ(status, row.Status);
  const std::vector<std::uint8_t> err = qor::test::ReadBytes(errFile);
  EXPECT_EQ(std::string(err.begin(), err.end()), row.Err);
  if (row.Output == Destination::File) {
    EXPECT_EQ(qor::test::ReadBytes(outFile).size(), HelpText().size());
  }
}

const std::string NoSpace = "qorctl: standard output: No space left on device\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, Output,
    testing::Values(OutputCase{"HelpToFullDisk", {"--help"}, Destination::Full, 5, NoSpace},
                    OutputCase{"ShowJsonToFullDisk", {"show", "--json"}, Destination::Full, 5, NoSpace},
                    OutputCase{"ExportDashToFullDisk",
                               {"export", "-"},
                               Destination::Full,
                               5,
                               NoSpace +
                                   "An error occured while attempting to write the settings file.\nPlease check the "
                                   "ammount of free disk space and try again.\n"},
                    OutputCase{"HelpToFile", {"--help"}, Destination::File, 0, ""},
                    // Nothing was to be printed: a closed output is no failure.
                    OutputCase{"UsageErrorWithOutputClosed",
                               {"frobnicate"},
                               Destination::Closed,
                               2,
                               "qorctl: unknown command \"frobnicate\"\nTry \"qorctl --help\".\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

// qorctl itself checks its output before it exits.
TEST(QorctlProgram, HelpToAFullDiskExits5WithOneLine) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  qor::test::TempFolder folder;
  const std::string command = std::string("'") + QORCTL + "' --help > /dev/full 2> '" + (folder / "err.txt") + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 5);
  const std::vector<std::uint8_t> err = qor::test::ReadBytes(folder / "err.txt");
  EXPECT_EQ(std::string(err.begin(), err.end()), NoSpace);
}

// A file size limit fails the output as a full disk does, rather than
// ending qorctl with SIGXFSZ and no word.
TEST(QorctlProgram, AFileSizeLimitExits5WithTheReason) {
  qor::test::TempFolder folder;
  // One block of 512 bytes: room for the message, not for the help.
  const std::string command = "ulimit -f 1; '" + std::string(QORCTL) + "' --help > '" + (folder / "out.txt") +
                              "' 2> '" + (folder / "err.txt") + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
  EXPECT_EQ(WEXITSTATUS(status), 5);
  const std::vector<std::uint8_t> err = qor::test::ReadBytes(folder / "err.txt");
  EXPECT_EQ(std::string(err.begin(), err.end()), "qorctl: standard output: File too large\n");
}

struct SaveFailure {
  const char* Name;
  std::function<void(SimPlatform&, const VirtualBoard&)> Inject;
};

class SaveFailures : public QorctlTest, public testing::WithParamInterface<SaveFailure> {};

// The board does not take or keep the settings: a communication failure,
// never "Settings Saved!".
TEST_P(SaveFailures, AreCommunicationFailures) {
  const auto board = Attach("ABC", BoardSettings());
  m_Folder.Write("in.qos", Bytes(FileSettings()));
  for (const Args& arguments : {Args{"import", m_Folder / "in.qos"}, Args{"set", "mode=0"}}) {
    GetParam().Inject(m_Platform, *board);
    const Outcome outcome = Qorctl(arguments);
    EXPECT_EQ(outcome.Status, 4) << arguments[0];
    EXPECT_EQ(outcome.Out, "");
    EXPECT_EQ(outcome.Err, LinkLost);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SaveFailures,
    testing::Values(SaveFailure{"StoreWrite", [](SimPlatform& p, const VirtualBoard&) { p.FailSetFeature(3); }},
                    SaveFailure{"ReadBack", [](SimPlatform& p, const VirtualBoard&) { p.FailGetFeature(4); }},
                    SaveFailure{"BoardNeverKeepsByte20",
                                [](SimPlatform& p, const VirtualBoard& b) { p.CorruptReplies(b, 20, sim::Always); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(QorctlTest, ImportWithoutBoardIsNoBoard) {
  m_Folder.Write("in.qos", Bytes(FileSettings()));
  const Outcome outcome = Qorctl({"import", m_Folder / "in.qos"});
  EXPECT_EQ(outcome.Status, 3);
  EXPECT_EQ(outcome.Err, NoDevices);
}

// --- set ---

TEST_F(QorctlTest, SetChangesOnlyTheNamedBytesAndSavesLikeTheWindow) {
  const auto board = Attach("ABC", BoardSettings());
  const Outcome outcome = Qorctl({"set", "mode=4", "key.up=U ARROW", "key.button1=SPACE", "board-id=1"});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, SavedToBoard1);
  const SettingsReport expected =
      With(BoardSettings(), {{report_offset::Mode, 4}, {15, 0x52}, {19, 0x2C}, {report_offset::BoardId, 0}});
  ASSERT_EQ(StoreWrites().size(), 1u);
  EXPECT_EQ(StoreWrites()[0], expected);
  EXPECT_EQ(board->Stored(), expected);
}

// Unlike a save from the window, bytes that set does not name go back to the
// board as they were read, whatever their value.
TEST_F(QorctlTest, SetKeepsUnnamedOddValues) {
  const SettingsReport odd = With(BoardSettings(), {{report_offset::BoardId, 7},
                                                    {report_offset::Mode, 9},
                                                    {report_offset::AnalogInputs, 0xC1},
                                                    {16, 0x00},
                                                    {17, 0xFF}});
  const auto board = Attach("ABC", odd);
  ASSERT_EQ(Qorctl({"set", "joymouse-speed=3"}).Status, 0);
  EXPECT_EQ(board->Stored(), With(odd, {{report_offset::JoyMouse, joy_mouse::Make(false, 3)}}));
}

TEST_F(QorctlTest, SetDryRunPrintsTheImageAndSavesNothing) {
  const auto board = Attach("ABC", BoardSettings());
  const Outcome outcome = Qorctl({"set", "--dry-run", "keystick-zone=1,2,3,4", "analog=2"});
  EXPECT_EQ(outcome.Status, 0);
  const SettingsReport expected = With(BoardSettings(), {{11, 1}, {12, 2}, {13, 3}, {14, 4}, {4, 0x02}});
  EXPECT_EQ(outcome.Out, HexBytes(expected) + "\n");
  EXPECT_TRUE(outcome.Out.starts_with("00 00 02 01 02 55 "));
  EXPECT_TRUE(StoreWrites().empty());
  EXPECT_EQ(board->Stored(), BoardSettings());
}

TEST_F(QorctlTest, SetOnBoard2WithoutBoardsIsNoBoard) {
  EXPECT_EQ(Qorctl({"set", "--board", "2", "mode=1"}).Status, 3);
  Attach("ABC", BoardSettings());
  EXPECT_EQ(Qorctl({"set", "--board", "2", "mode=1"}).Status, 3);
  EXPECT_TRUE(StoreWrites().empty());
}

TEST_F(QorctlTest, SetAfterAFailedReadSavesNothing) {
  Attach("ABC", BoardSettings());
  m_Platform.FailGetFeature(3);
  EXPECT_EQ(Qorctl({"set", "mode=1"}).Status, 4);
  EXPECT_TRUE(StoreWrites().empty());
}

// --- picking a board ---

// Two boards that answer the same text, told apart by node and USB location;
// each has its own board ID, which `get` prints.
class Selectors : public QorctlTest {
 protected:
  void SetUp() override {
    Attach("QOR Arcade", With(BoardSettings(), {{report_offset::BoardId, 0}}));
    Attach("Other", With(BoardSettings(), {{report_offset::BoardId, 1}}));
    Attach("QOR Arcade", With(BoardSettings(), {{report_offset::BoardId, 2}}));
    Attach("caf\xe9", With(BoardSettings(), {{report_offset::BoardId, 3}}));  // Latin-1, as a board sends it
    Attach("12", With(BoardSettings(), {{report_offset::BoardId, 0}}));
    Attach("3", With(BoardSettings(), {{report_offset::BoardId, 1}}));
    m_Probe.Locations = {{"/dev/hidraw0", "1-1.4"}, {"/dev/hidraw1", "1-1.3"}};
    m_Probe.Devices = {{"/dev/qor/left", 0xF001}, {"/dev/hidraw1", 0xF001}};
  }
};

struct Selection {
  const char* Name;
  Args Arguments;
  int Status;
  std::string Out;
  std::vector<std::string> ErrHas{};
};

class PickedBoards : public Selectors, public testing::WithParamInterface<Selection> {};

TEST_P(PickedBoards, AreTheOnesNamed) {
  const Outcome outcome = Qorctl(GetParam().Arguments);
  EXPECT_EQ(outcome.Status, GetParam().Status) << outcome.Err;
  EXPECT_EQ(outcome.Out, GetParam().Out);
  for (const std::string& part : GetParam().ErrHas) EXPECT_NE(outcome.Err.find(part), std::string::npos) << part;
  if (GetParam().ErrHas.empty()) {
    EXPECT_EQ(outcome.Err, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PickedBoards,
    testing::Values(Selection{"Default", {"get", "board-id"}, 0, "1\n"},
                    Selection{"Number", {"get", "board-id", "--board", "2"}, 0, "2\n"},
                    Selection{"NumberBeforeTheCommand", {"-b", "4", "get", "board-id"}, 0, "4\n"},
                    Selection{"Node", {"get", "-b", "/dev/hidraw2", "board-id"}, 0, "3\n"},
                    Selection{"NodeThroughALink", {"get", "-b", "/dev/qor/left", "board-id"}, 0, "2\n"},
                    Selection{"Latin1TextAsListed", {"get", "-b", "caf\xc3\xa9", "board-id"}, 0, "4\n"},
                    Selection{"Latin1TextByteForByte", {"get", "-b", "caf\xe9", "board-id"}, 0, "4\n"},
                    Selection{"TextBeyondTheNumbers", {"get", "-b", "12", "board-id"}, 0, "1\n"},
                    Selection{"NumberThatIsAlsoAText",
                              {"get", "-b", "3", "board-id"},
                              3,
                              "",
                              {"\"3\" is board 3 by number and the text of board 6; pick one by node or USB location:\n"
                               "  3: QOR Arcade (/dev/hidraw2)\n  6: 3 (/dev/hidraw5)\n"}},
                    Selection{"Location", {"--board=1-1.3", "get", "board-id"}, 0, "2\n"},
                    Selection{"Text", {"get", "board-id", "-b", "Other"}, 0, "2\n"},
                    Selection{"TextIsExact", {"get", "board-id", "-b", "other"}, 3, "", {"no board is \"other\""}},
                    // What the user typed is shown as typed (UTF-8), its controls escaped.
                    Selection{"TypedTextAsTyped",
                              {"get", "board-id", "-b", "Caf\xc3\xa9\x1b"},
                              3,
                              "",
                              {"no board is \"Caf\xc3\xa9\\x1b\""}},
                    Selection{"SharedText",
                              {"get", "board-id", "-b", "QOR Arcade"},
                              3,
                              "",
                              {"2 boards answer \"QOR Arcade\"; pick one by node or USB location:\n"
                               "  1: QOR Arcade (/dev/hidraw0, USB 1-1.4)\n"
                               "  3: QOR Arcade (/dev/hidraw2)\n"}},
                    Selection{"NoMatchListsTheBoards",
                              {"show", "-b", "/dev/hidraw9"},
                              3,
                              "",
                              {"no board is \"/dev/hidraw9\" by number, node, USB location or text; boards found:\n"
                               "  1: QOR Arcade (/dev/hidraw0, USB 1-1.4)\n  2: Other (/dev/hidraw1, USB 1-1.3)\n"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Selectors, WritesNameTheBoardWritten) {
  const Outcome outcome = Qorctl({"set", "mode=keystick", "-b", "1-1.3"});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, std::string("Wrote board 2: Other (/dev/hidraw1, USB 1-1.3)\n") + Saved);
  ASSERT_EQ(StoreWrites().size(), 1u);
  EXPECT_EQ(StoreWrites()[0][report_offset::BoardId], 1);
}

TEST_F(Selectors, ListJsonIsOneObjectWithEveryBoard) {
  const Outcome outcome = Qorctl({"-j", "list"});
  EXPECT_EQ(outcome.Status, 0);
  const auto keys = test::JsonObjectKeys(outcome.Out);
  ASSERT_TRUE(keys) << outcome.Out;
  EXPECT_EQ(*keys, std::set<std::string>{"boards"});
  for (const char* part : {"{\"board\": 1, \"identification\": \"QOR Arcade\", \"node\": \"/dev/hidraw0\", "
                           "\"usb_location\": \"1-1.4\", \"product_id\": \"0x07b3\", \"answered\": true}",
                           "\"node\": \"/dev/hidraw2\", \"usb_location\": null"}) {
    EXPECT_NE(outcome.Out.find(part), std::string::npos) << part;
  }
}

TEST_F(QorctlTest, MoreThanTenBoardsAreSaidToBeLeftOut) {
  for (int i = 1; i <= 12; ++i) Attach("B" + std::to_string(i), BoardSettings());
  const Outcome outcome = Qorctl({"list"});
  EXPECT_EQ(outcome.Status, 0);
  EXPECT_EQ(std::count(outcome.Out.begin(), outcome.Out.end(), '\n'), 10);
  EXPECT_EQ(outcome.Err, "qorctl: 12 boards are attached; only the first 10 are handled\n");
  EXPECT_EQ(std::count_if(m_Platform.Log().begin(), m_Platform.Log().end(),
                          [](const sim::Call& call) { return call.Kind == CallKind::ListInterfaces; }),
            1)
      << "one listing per command";
  const Outcome beyond = Qorctl({"show", "-b", "/dev/hidraw11"});
  EXPECT_EQ(beyond.Status, 3);
  EXPECT_NE(beyond.Err.find("\"/dev/hidraw11\" is a board beyond the 10 boards handled"), std::string::npos)
      << beyond.Err;
}

// The probe hears what the scan could not open and why; nothing is opened twice.
TEST_F(QorctlTest, ListAsksAboutWhatTheScanCouldNotOpen) {
  Attach("A", BoardSettings());
  m_Platform.AddInterface({.OpenFails = true});
  Attach("B", BoardSettings());
  EXPECT_EQ(Qorctl({"list"}).Status, 0);
  ASSERT_EQ(m_Probe.Unopened.size(), 1u);
  EXPECT_EQ(m_Probe.Unopened[0].Path, "/dev/hidraw1");
  EXPECT_EQ(m_Probe.Unopened[0].Error, EACCES);
  std::map<std::string, int> opens;
  for (const sim::Call& call : m_Platform.Log())
    if (call.Kind == CallKind::Open) ++opens[call.Path];
  EXPECT_EQ(opens, (std::map<std::string, int>{{"/dev/hidraw0", 1}, {"/dev/hidraw1", 1}, {"/dev/hidraw2", 1}}));
}

// Each board is identified, and its location read, at most once a command,
// also when a number must be checked against every board's text.
struct OnceRow {
  const char* Name;
  Args Arguments;
  std::map<std::string, int> Identified;  // node -> identify commands sent
};

class AtMostOnce : public QorctlTest, public testing::WithParamInterface<OnceRow> {};

TEST_P(AtMostOnce, IdentifiesAndLocatesEachBoard) {
  Attach("A", BoardSettings());
  Attach("B", BoardSettings());
  ASSERT_EQ(Qorctl(GetParam().Arguments).Status, 0);
  std::map<HidHandle, std::string> nodes;
  std::map<std::string, int> identified;
  for (const sim::Call& call : m_Platform.Log()) {
    if (call.Kind == CallKind::Open) nodes[call.Handle] = call.Path;
    if (call.Kind == CallKind::SetFeature && call.Bytes.size() > report_offset::Command &&
        call.Bytes[report_offset::Command] == CommandIdentify)
      ++identified[nodes[call.Handle]];
  }
  EXPECT_EQ(identified, GetParam().Identified);
  for (const auto& [node, asks] : m_Probe.LocationAsks) EXPECT_EQ(asks, 1) << node;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AtMostOnce,
    testing::Values(OnceRow{"List", {"list"}, {{"/dev/hidraw0", 1}, {"/dev/hidraw1", 1}}},
                    OnceRow{"ByNumber", {"show", "-b", "2"}, {{"/dev/hidraw0", 1}, {"/dev/hidraw1", 1}}},
                    OnceRow{"ByNode", {"show", "-b", "/dev/hidraw1"}, {{"/dev/hidraw1", 1}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(QorctlTest, TenBoardsAreAllHandled) {
  for (int i = 1; i <= 10; ++i) Attach("B" + std::to_string(i), BoardSettings());
  EXPECT_EQ(Qorctl({"list"}).Err, "");
}

// --- keys ---

// The key names are listed without a board, and "?" as a key lists them too:
// "x" would be the key X and be saved.
TEST_F(QorctlTest, KeysAreListedWithoutTouchingABoard) {
  Attach("ABC", BoardSettings());
  std::string names;
  for (int i = 0; i < KeyCodeTable::Count; ++i) names += std::string(KeyCodeTable::NameAt(i)) + '\n';
  for (const Args& arguments :
       {Args{"keys"}, Args{"set", "-b", "1", "key.up=?"}, Args{"set", "mode=1", "key.left=?"}}) {
    const Outcome outcome = Qorctl(arguments);
    EXPECT_EQ(outcome.Status, 0) << arguments.back();
    EXPECT_EQ(outcome.Out, names) << arguments.back();
  }
  const Outcome json = Qorctl({"keys", "--json"});
  EXPECT_EQ(test::JsonObjectKeys(json.Out), std::set<std::string>{"keys"}) << json.Out;
  EXPECT_NE(json.Out.find("\"U ARROW\", \"L ARROW\""), std::string::npos);
  EXPECT_NE(json.Out.find("\"\\\\\""), std::string::npos) << "the backslash key, escaped";
  EXPECT_TRUE(m_Platform.Log().empty());
}

// --- get ---

// What get prints, set takes back without changing a byte.
TEST_F(QorctlTest, GetPrintsEverySettingInTheWordsSetTakes) {
  SettingsReport stored = With(BoardSettings(), {{report_offset::AnalogInputs, 0x0D},
                                                 {report_offset::JoyMouse, joy_mouse::Make(true, 9)},
                                                 {report_offset::JoyMouseDeadZone, 10},
                                                 {report_offset::KeyStickDeadZone, 10}});
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i) {
    stored[report_offset::KeyStickKeys + i] = KeyCodeTable::CodeAt(static_cast<int>(40 + i));
  }
  const auto board = Attach("ABC", stored);
  std::map<std::string, std::string> words;
  for (const std::string& name : SettingNames()) {
    const Outcome outcome = Qorctl({"get", name});
    ASSERT_EQ(outcome.Status, 0) << name << ": " << outcome.Err;
    ASSERT_TRUE(outcome.Out.ends_with("\n"));
    words[name] = outcome.Out.substr(0, outcome.Out.size() - 1);
  }
  EXPECT_EQ(words["mode"], "Dual Analog 3-Axis 7-Button Joysticks");
  EXPECT_EQ(words["board-id"], "3");
  EXPECT_EQ(words["analog"], "1,3,4");
  EXPECT_EQ(words["joymouse"], "on");
  EXPECT_EQ(words["key.up"], KeyCodeTable::NameAt(40));

  Args set = {"set", "--dry-run"};
  for (const auto& [name, value] : words) set.push_back(name + "=" + value);
  const Outcome outcome = Qorctl(set);
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, HexBytes(With(stored, {{report_offset::Command, CommandStore}})) + "\n");
}

TEST_F(QorctlTest, GetMatchesTheSettingNameLikeSet) {
  Attach("ABC", BoardSettings());
  EXPECT_EQ(Qorctl({"get", "Key.Button1"}).Status, 0);
  const Outcome outcome = Qorctl({"get", "joymouse-sped"});
  EXPECT_EQ(outcome.Status, 2);
  EXPECT_NE(outcome.Err.find("did you mean \"joymouse-speed\"?"), std::string::npos) << outcome.Err;
}

// --- settings files without a board ---

TEST_F(QorctlTest, ShowFileDecodesItWithoutABoard) {
  const std::string file = m_Folder / "cab.qos";
  m_Folder.Write("cab.qos", Bytes(BoardSettings()));
  const Outcome outcome = Qorctl({"show", "-f", file});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_TRUE(outcome.Out.starts_with("File:                " + file + "\nBoard ID:            3\n")) << outcome.Out;
  const auto keys = test::JsonObjectKeys(Qorctl({"show", "--json", "--file", file}).Out);
  ASSERT_TRUE(keys);
  EXPECT_TRUE(keys->contains("file") && !keys->contains("board"));
  EXPECT_TRUE(m_Platform.Log().empty());
}

// The file gets the named bytes changed; every other byte stays as it was,
// odd values and bytes 0, 1 and 5 included.
TEST_F(QorctlTest, SetFileChangesTheNamedBytesOnly) {
  const SettingsReport odd = With(BoardSettings(), {{report_offset::Command, 0xFF}, {report_offset::Mode, 9}});
  m_Folder.Write("cab.qos", Bytes(odd));
  const std::string file = m_Folder / "cab.qos";
  const Outcome outcome = Qorctl({"set", "key.up=space", "--file", file});
  EXPECT_EQ(outcome.Status, 0) << outcome.Err;
  EXPECT_EQ(outcome.Out, "Wrote " + file + "\n");
  EXPECT_EQ(qor::test::ReadBytes(file), Bytes(With(odd, {{15, 0x2C}})));
  EXPECT_TRUE(m_Platform.Log().empty());
}

TEST_F(QorctlTest, SetFileDryRunWritesNothing) {
  m_Folder.Write("cab.qos", Bytes(BoardSettings()));
  const std::string file = m_Folder / "cab.qos";
  const Outcome outcome = Qorctl({"set", "-n", "-f", file, "board-id=1"});
  EXPECT_EQ(outcome.Status, 0);
  EXPECT_EQ(outcome.Out, HexBytes(With(BoardSettings(), {{report_offset::BoardId, 0}})) + "\n");
  EXPECT_EQ(qor::test::ReadBytes(file), Bytes(BoardSettings()));
}

// set -f writes the whole file back: a file of any other length is refused
// with its size, and left as it was.
TEST_F(QorctlTest, SetFileRefusesAFileOfAnyOtherLength) {
  const std::string file = m_Folder / "passwd-copy";
  for (const std::size_t size : {34, 1000}) {
    m_Folder.Write("passwd-copy", std::string(size, 'x'));
    const Outcome outcome = Qorctl({"set", "-f", file, "mode=1"});
    EXPECT_EQ(outcome.Status, 5);
    EXPECT_EQ(outcome.Err, "qorctl: " + file + ": " + std::to_string(size) +
                               " bytes; set -f changes only settings files of exactly 33\n");
    EXPECT_EQ(qor::test::ReadBytes(file).size(), size);
  }
}

// --- untrusted text and the terminal ---

// Whatever the user typed is shown escaped in a usage error: it cannot drive
// the terminal.
TEST_F(QorctlTest, UsageErrorsShowWhatWasTypedEscaped) {
  for (const Args& arguments : {Args{"\x1b]0;owned\x07"}, Args{"--\x1b[2J"}, Args{"-\x9b"}, Args{"list", "\x1b[2J"},
                                Args{"get",
                                     "\xc2\x9b"
                                     "2J"},
                                Args{"set", "\x1b[2J=1"},
                                Args{"set",
                                     "mode=\x9b"
                                     "2J"},
                                Args{"set", "key.up=\x1b[2J"}}) {
    const Outcome outcome = Qorctl(arguments);
    EXPECT_EQ(outcome.Status, 2);
    for (const char c : outcome.Err) {
      const auto byte = static_cast<unsigned char>(c);
      EXPECT_TRUE(byte == '\n' || (byte >= 0x20 && byte < 0x7F)) << outcome.Err;
    }
    EXPECT_NE(outcome.Err.find("\\x"), std::string::npos) << outcome.Err;
  }
}

// A pseudo-terminal that passes bytes through unchanged.
class Terminal {
 public:
  Terminal() {
    m_Master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_Master < 0 || ::grantpt(m_Master) != 0 || ::unlockpt(m_Master) != 0) return;
    m_Slave = ::open(::ptsname(m_Master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (m_Slave >= 0 && ::tcgetattr(m_Slave, &raw) == 0) {
      ::cfmakeraw(&raw);
      ::tcsetattr(m_Slave, TCSANOW, &raw);
    }
  }
  ~Terminal() {
    if (m_Slave >= 0) ::close(m_Slave);
    if (m_Master >= 0) ::close(m_Master);
  }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  int Fd() const { return m_Slave; }
  bool Type(const std::string& bytes) const {
    return ::write(m_Master, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  std::size_t Received() const {
    pollfd ready{m_Master, POLLIN, 0};
    std::size_t count = 0;
    char buffer[256];
    for (ssize_t n; ::poll(&ready, 1, 100) > 0 && (n = ::read(m_Master, buffer, sizeof buffer)) > 0;)
      count += static_cast<std::size_t>(n);
    return count;
  }

 private:
  int m_Master = -1;
  int m_Slave = -1;
};

// A board's bytes could drive a terminal: binary goes to files and pipes, and
// to a terminal only when forced; the board is not touched before.
TEST_F(QorctlTest, SettingsToATerminalAreRefusedUnlessForced) {
  Attach("ABC", BoardSettings());
  Terminal terminal;
  ASSERT_GE(terminal.Fd(), 0) << "no pseudo-terminal";
  for (const Args& arguments : {Args{"export", "-"}, Args{"set", "-f", "-", "mode=1"}}) {
    const Outcome refused = Qorctl(arguments, terminal.Fd());
    EXPECT_EQ(refused.Status, 2);
    EXPECT_EQ(refused.Err, "qorctl: standard output is a terminal; redirect it to a file\n");
  }
  EXPECT_TRUE(m_Platform.Log().empty());
  const Outcome forced = Qorctl({"export", "--force", "-"}, terminal.Fd());
  EXPECT_EQ(forced.Status, 0) << forced.Err;
  EXPECT_EQ(terminal.Received(), SettingsReportSize);
}

// A terminal on standard input waits for the user: qorctl says what for.
TEST_F(QorctlTest, SettingsFromATerminalAreAskedFor) {
  Terminal terminal;
  ASSERT_GE(terminal.Fd(), 0) << "no pseudo-terminal";
  const SettingsReport settings = BoardSettings();
  ASSERT_TRUE(terminal.Type(std::string(settings.begin(), settings.end())));
  const Outcome outcome = Qorctl({"get", "mode", "-f", "-"}, -1, terminal.Fd());
  EXPECT_EQ(outcome.Status, 0);
  EXPECT_EQ(outcome.Err, "qorctl: reading settings from standard input (Ctrl+D to end)\n");
}

// --- verbose ---

// Every transfer and pause is traced on standard error; the output is as without.
TEST_F(QorctlTest, VerboseTracesTheTransfersOfAShow) {
  const SettingsReport stored = BoardSettings();
  Attach("ABC", stored);
  const Outcome quiet = Qorctl({"show"});
  const std::size_t calls = m_Platform.Log().size();
  const Outcome traced = Qorctl({"show", "-v"});
  EXPECT_EQ(traced.Status, 0);
  EXPECT_EQ(traced.Out, quiet.Out);
  EXPECT_EQ(m_Platform.Log().size(), 2 * calls) << "the same calls as without tracing";
  std::istringstream lines(traced.Err);
  std::size_t sets = 0;
  std::size_t gets = 0;
  for (std::string line; std::getline(lines, line);) {
    sets += line.starts_with("/dev/hidraw0 set 33 bytes: 00 ");
    gets += line.starts_with("/dev/hidraw0 get 33 bytes: 00 ");
    EXPECT_TRUE(line.starts_with("/dev/hidraw0 ") || line.starts_with("pause ")) << line;
  }
  EXPECT_GE(sets, 2u) << traced.Err;  // identify, then select the settings reply
  EXPECT_GE(gets, 2u) << traced.Err;
  EXPECT_NE(traced.Err.find(HexBytes(stored).substr(6)), std::string::npos) << "the settings read, byte 2 on";
}

// --- closed standard streams ---

// Boards that take a descriptor each when opened, as hidraw nodes do: a file
// opened for writing, which records whatever reaches a board by write().
class BoardsWithDescriptors final : public HidPlatform {
 public:
  BoardsWithDescriptors(SimPlatform& boards, std::string file) : m_Boards(boards), m_File(std::move(file)) {}
  std::vector<std::optional<std::string>> ListInterfaces() override { return m_Boards.ListInterfaces(); }
  HidHandle Open(const std::string& path) override {
    const HidHandle handle = m_Boards.Open(path);
    if (handle != InvalidHidHandle) m_Fds[handle] = ::open(m_File.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    return handle;
  }
  int OpenError() const override { return m_Boards.OpenError(); }
  bool GetAttributes(HidHandle handle, HidAttributes& attributes) override {
    return m_Boards.GetAttributes(handle, attributes);
  }
  bool GetFeatureReportLength(HidHandle handle, int& length) override {
    return m_Boards.GetFeatureReportLength(handle, length);
  }
  bool GetFeature(HidHandle handle, std::uint8_t* buffer, int length) override {
    return m_Boards.GetFeature(handle, buffer, length);
  }
  bool SetFeature(HidHandle handle, const std::uint8_t* buffer, int length) override {
    return m_Boards.SetFeature(handle, buffer, length);
  }
  void Close(HidHandle handle) override {
    ::close(m_Fds[handle]);
    m_Boards.Close(handle);
  }
  void Pause(int milliseconds) override { m_Boards.Pause(milliseconds); }

 private:
  SimPlatform& m_Boards;
  std::string m_File;
  std::map<HidHandle, int> m_Fds;
};

struct ClosedCase {
  const char* Name;
  int Closed;  // descriptor 0, 1 or 2
  Args Arguments;
  int Status;
  std::string Err;  // when standard error is open
};

void PrintTo(const ClosedCase& row, std::ostream* os) { *os << row.Name; }

class ClosedStreams : public QorctlTest, public testing::WithParamInterface<ClosedCase> {};

// Run as qorctl's main does: the standard descriptors are filled first, so a
// board never takes the number of a closed stream and gets what is meant for
// it; using the closed stream fails as before.
TEST_P(ClosedStreams, NeverBecomeABoard) {
  const ClosedCase& row = GetParam();
  Attach("ABC", BoardSettings());
  const std::string board = m_Folder / "board";
  const std::string err = m_Folder / "err.txt";
  const int status = qor::test::RunInChild(false, [&] {
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int outFd = ::open("/dev/null", O_WRONLY);
    if (errFd < 0 || outFd < 0 || ::dup2(errFd, STDERR_FILENO) < 0 || ::dup2(outFd, STDOUT_FILENO) < 0) return 99;
    ::close(errFd);
    ::close(outFd);
    ::close(row.Closed);
    if (!fileio::OpenStandardDescriptors()) return 98;
    BoardsWithDescriptors platform(m_Platform, board);
    CommandContext context{platform, m_Probe, std::cout, std::cerr};
    return FinishStandardOutput(cli::Run(row.Arguments, context), std::cerr);
  });
  EXPECT_EQ(status, row.Status);
  EXPECT_TRUE(!std::filesystem::exists(board) || std::filesystem::file_size(board) == 0)
      << "the board got what was meant for a stream";
  const std::vector<std::uint8_t> printed = qor::test::ReadBytes(err);
  if (row.Closed != STDERR_FILENO) {
    EXPECT_EQ(std::string(printed.begin(), printed.end()), row.Err);
  }
}

const std::string NoStream = "Bad file descriptor\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, ClosedStreams,
    testing::Values(ClosedCase{"ExportToClosedOutput",
                               STDOUT_FILENO,
                               {"export", "-"},
                               5,
                               "qorctl: standard output: " + NoStream +
                                   "An error occured while attempting to write the settings file.\nPlease check the "
                                   "ammount of free disk space and try again.\n"},
                    ClosedCase{
                        "ShowToClosedOutput", STDOUT_FILENO, {"show"}, 5, "qorctl: standard output: " + NoStream},
                    ClosedCase{"ErrorToClosedError", STDERR_FILENO, {"get", "mode", "-b", "nosuch"}, 3, ""},
                    ClosedCase{"ImportFromClosedInput",
                               STDIN_FILENO,
                               {"import", "-"},
                               5,
                               "qorctl: standard input is not open for reading\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace qor::cli
