// qorctl, the program itself, on a real kernel's HID stack: boards that
// qor-virtual-board puts on uhid, listed, shown, changed, exported and
// imported through their hidraw nodes, and a board whose node the user may
// not open, found through sysfs. Runs inside the test guest only.

#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "GuestLink.h"
#include "VirtualBoardProcess.h"
#include "cli/Text.h"
#include "settings/SettingsImages.h"

namespace qor::guest {
namespace {

constexpr uid_t Nobody = 65534;

struct Outcome {
  int Status = -1;
  std::string Out;
  std::string Err;
};

std::string Drain(int fd) {
  std::string text;
  char chunk[512];
  ssize_t count;
  while ((count = ::read(fd, chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<std::size_t>(count));
  ::close(fd);
  return text;
}

// Runs qorctl from the PATH, as root or as nobody, with the descriptor
// `closed` (0, 1 or 2) closed if one is given.
Outcome Qorctl(std::vector<std::string> arguments, bool asNobody = false, int closed = -1) {
  int out[2];
  int err[2];
  if (::pipe(out) < 0 || ::pipe(err) < 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    ::close(out[0]);
    ::close(err[0]);
    if (closed >= 0) ::close(closed);
    if (asNobody && (::setgroups(0, nullptr) < 0 || ::setgid(Nobody) < 0 || ::setuid(Nobody) < 0)) ::_exit(120);
    arguments.insert(arguments.begin(), "qorctl");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    ::execvp("qorctl", argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  // Both pipes are small; read stderr after stdout, which qorctl fills first.
  Outcome outcome;
  outcome.Out = Drain(out[0]);
  outcome.Err = Drain(err[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  outcome.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

SettingsReport BoardSettings() {
  SettingsReport image{};
  for (std::size_t i = 2; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x30 + i);
  image[report_offset::BoardId] = 1;
  image[report_offset::Mode] = 2;
  image[report_offset::Reserved] = 0x5A;
  return image;
}

std::string ReportLine(const SettingsReport& image) { return "\"report\": \"" + cli::HexBytes(image) + "\""; }

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(QorctlGuestTest, EveryCommandOnBoardsOfTheKernel) {
  SettingsReport second{};
  second[report_offset::Reserved] = 0x77;
  VirtualBoardProcess boards({"--board", "Guest A", "--settings", SettingsHex(BoardSettings()), "--board", "Guest B",
                              "--settings", SettingsHex(second)});
  ASSERT_TRUE(boards.Ready()) << boards.Failure();

  // uhid boards have no USB parent, so no location; the nodes are hidraw0 and hidraw1.
  const std::vector<VirtualNode> nodes = boards.NodesOfKind("board");
  ASSERT_EQ(nodes.size(), 2u);
  Outcome list = Qorctl({"list"});
  EXPECT_EQ(list.Status, 0) << list.Err;
  EXPECT_EQ(list.Out,
            "1: Guest A  " + nodes[0].Hidraw + "  -  0x07b3\n2: Guest B  " + nodes[1].Hidraw + "  -  0x07b3\n");

  Outcome show = Qorctl({"show", "--json"});
  EXPECT_EQ(show.Status, 0) << show.Err;
  EXPECT_NE(show.Out.find(ReportLine(BoardSettings())), std::string::npos) << show.Out;

  SettingsReport changed = BoardSettings();
  changed[report_offset::Mode] = SingleAnalogKeyStick;
  changed[report_offset::KeyStickKeys] = 0x2C;  // SPACE
  Outcome set = Qorctl({"set", "mode=4", "key.up=SPACE"});
  EXPECT_EQ(set.Status, 0) << set.Err;
  show = Qorctl({"show", "--json"});
  EXPECT_NE(show.Out.find(ReportLine(changed)), std::string::npos) << show.Out;

  const std::string file = "/tmp/guest-a.qos";
  Outcome exported = Qorctl({"export", file});
  EXPECT_EQ(exported.Status, 0) << exported.Err;
  const SettingsReport exportImage = ExportImage(changed);
  EXPECT_EQ(ReadBytes(file), std::vector<std::uint8_t>(exportImage.begin(), exportImage.end()));
  // "-" is standard output: the settings alone there, the confirmation on standard error.
  Outcome streamed = Qorctl({"export", "-"});
  EXPECT_EQ(streamed.Status, 0) << streamed.Err;
  EXPECT_EQ(streamed.Out, std::string(exportImage.begin(), exportImage.end()));
  EXPECT_EQ(streamed.Err, "Settings exported!\n");

  // Board B keeps its own byte 5 under board A's settings.
  Outcome imported = Qorctl({"import", "--board", "2", file});
  EXPECT_EQ(imported.Status, 0) << imported.Err;
  show = Qorctl({"show", "--board", "2", "--json"});
  EXPECT_NE(show.Out.find(ReportLine(SaveImage(exportImage, second))), std::string::npos) << show.Out;

  EXPECT_TRUE(boards.Stop());
  EXPECT_EQ(Qorctl({"list"}).Status, 3);
}

TEST(QorctlGuestTest, ABoardTheUserMayNotOpenIsNamedWithTheAccessRule) {
  VirtualBoardProcess boards({"--board", "Locked", "--board", "Open", "--wide-report"});
  ASSERT_TRUE(boards.Ready()) << boards.Failure();
  const std::vector<VirtualNode> nodes = boards.NodesOfKind("board");
  ASSERT_EQ(nodes.size(), 2u);
  // The device with QOR IDs but other reports is never taken for a board.
  const std::vector<VirtualNode> wide = boards.NodesOfKind("wide-report");
  ASSERT_EQ(wide.size(), 1u);
  ASSERT_EQ(::chmod(wide[0].Hidraw.c_str(), 0600), 0);
  ASSERT_EQ(::chmod(nodes[0].Hidraw.c_str(), 0600), 0);
  ASSERT_EQ(::chmod(nodes[1].Hidraw.c_str(), 0600), 0);

  const std::string locked =
      "a QOR board is attached at " + nodes[0].Hidraw + ", but it cannot be opened: Permission denied";
  Outcome none = Qorctl({"list"}, true);
  EXPECT_EQ(none.Status, 3);
  EXPECT_EQ(none.Out, "");
  EXPECT_NE(none.Err.find(locked), std::string::npos) << none.Err;
  EXPECT_NE(none.Err.find("70-qor-boards.rules"), std::string::npos) << none.Err;
  EXPECT_EQ(none.Err.find("No devices found!"), std::string::npos) << none.Err;
  EXPECT_EQ(none.Err.find(wide[0].Hidraw + ","), std::string::npos) << none.Err;
  // The installed rules are named, never a path of the source tree.
  EXPECT_EQ(none.Err.find("packaging/"), std::string::npos) << none.Err;

  // What to do follows what stands in the way: no rule here; a rule udev has
  // not applied; a rule applied for the user at the computer, who nobody is not.
  EXPECT_NE(none.Err.find("install the access rule"), std::string::npos) << none.Err;
  std::filesystem::create_directories("/etc/udev/rules.d");
  std::ofstream("/etc/udev/rules.d/70-qor-boards.rules") << "# installed\n";
  EXPECT_NE(Qorctl({"list"}, true).Err.find("sudo udevadm trigger"), std::string::npos);
  struct stat node {};
  ASSERT_EQ(::stat(nodes[0].Hidraw.c_str(), &node), 0);
  const std::string record =
      "/run/udev/data/c" + std::to_string(major(node.st_rdev)) + ":" + std::to_string(minor(node.st_rdev));
  std::filesystem::create_directories("/run/udev/data");
  std::ofstream(record) << "G:uaccess\nQ:uaccess\n";
  const Outcome overSsh = Qorctl({"list"}, true);
  EXPECT_NE(overSsh.Err.find("sudo cp /"), std::string::npos) << overSsh.Err;
  EXPECT_NE(overSsh.Err.find("/share/doc/qorctl/examples/qor-boards-plugdev.rules"), std::string::npos) << overSsh.Err;
  EXPECT_NE(overSsh.Err.find("sudo usermod -aG plugdev"), std::string::npos) << overSsh.Err;
  std::filesystem::remove(record);
  std::filesystem::remove("/etc/udev/rules.d/70-qor-boards.rules");

  // As the access rule would for the user at the computer.
  ASSERT_EQ(::chmod(nodes[1].Hidraw.c_str(), 0666), 0);
  Outcome one = Qorctl({"list"}, true);
  EXPECT_EQ(one.Status, 0) << one.Err;
  EXPECT_TRUE(one.Out.starts_with("1: Open  " + nodes[1].Hidraw + "  ")) << one.Out;
  EXPECT_NE(one.Err.find(locked), std::string::npos) << one.Err;
  EXPECT_EQ(one.Err.find(nodes[1].Hidraw + ","), std::string::npos) << one.Err;
}

// Two boards that answer the same text: named by text they are refused with
// both nodes listed; named by node, each is read and written on its own.
TEST(QorctlGuestTest, TwoBoardsWithTheSameTextArePickedByNode) {
  SettingsReport second = BoardSettings();
  second[report_offset::BoardId] = 3;
  VirtualBoardProcess boards({"--board", "Twin", "--settings", SettingsHex(BoardSettings()), "--board", "Twin",
                              "--settings", SettingsHex(second)});
  ASSERT_TRUE(boards.Ready()) << boards.Failure();
  const std::vector<VirtualNode> nodes = boards.NodesOfKind("board");
  ASSERT_EQ(nodes.size(), 2u);

  const Outcome ambiguous = Qorctl({"get", "board-id", "-b", "Twin"});
  EXPECT_EQ(ambiguous.Status, 3);
  EXPECT_NE(ambiguous.Err.find("  1: Twin (" + nodes[0].Hidraw + ")\n  2: Twin (" + nodes[1].Hidraw + ")\n"),
            std::string::npos)
      << ambiguous.Err;

  EXPECT_EQ(Qorctl({"get", "board-id", "-b", nodes[1].Hidraw}).Out, "4\n");
  const Outcome set = Qorctl({"-b", nodes[1].Hidraw, "set", "board-id=1"});
  EXPECT_EQ(set.Status, 0) << set.Err;
  EXPECT_TRUE(set.Out.starts_with("Wrote board 2: Twin (" + nodes[1].Hidraw + ")\n")) << set.Out;
  EXPECT_EQ(Qorctl({"get", "board-id", "--board", nodes[1].Hidraw}).Out, "1\n");
  EXPECT_EQ(Qorctl({"get", "board-id", "--board", nodes[0].Hidraw}).Out, "2\n");
}

// A board is chosen by the names Linux gives its node: a link such as a udev
// rule's /dev/qor/right, "//", a relative path, the bare node name; and by
// its Latin-1 text as list shows it. A node beyond the 10th board says so.
TEST(QorctlGuestTest, BoardsAreChosenByTheNamesLinuxGives) {
  namespace fs = std::filesystem;
  SettingsReport second = BoardSettings();
  second[report_offset::BoardId] = 3;
  {
    VirtualBoardProcess boards({"--board", "Left", "--settings", SettingsHex(BoardSettings()), "--board", "caf\xe9",
                                "--settings", SettingsHex(second)});
    ASSERT_TRUE(boards.Ready()) << boards.Failure();
    const std::vector<VirtualNode> nodes = boards.NodesOfKind("board");
    ASSERT_EQ(nodes.size(), 2u);
    const fs::path link = "/tmp/qor/right";
    fs::create_directories(link.parent_path());
    fs::remove(link);
    fs::create_symlink(nodes[1].Hidraw, link);
    EXPECT_NE(Qorctl({"list"}).Out.find("2: caf\xc3\xa9  " + nodes[1].Hidraw), std::string::npos);
    for (const std::string& selector : {link.string(), "/" + nodes[1].Hidraw, fs::relative(link).string(),
                                        fs::path(nodes[1].Hidraw).filename().string(), std::string("caf\xc3\xa9")}) {
      const Outcome picked = Qorctl({"get", "board-id", "-b", selector});
      EXPECT_EQ(picked.Status, 0) << selector << ": " << picked.Err;
      EXPECT_EQ(picked.Out, "4\n") << selector;
    }
  }
  VirtualBoardProcess eleven({"--boards", "11"});
  ASSERT_TRUE(eleven.Ready()) << eleven.Failure();
  const std::vector<VirtualNode> nodes = eleven.NodesOfKind("board");
  ASSERT_EQ(nodes.size(), 11u);
  const Outcome beyond = Qorctl({"show", "-b", nodes[10].Hidraw});
  EXPECT_EQ(beyond.Status, 3);
  EXPECT_NE(beyond.Err.find("is a board beyond the 10 boards handled"), std::string::npos) << beyond.Err;
}

// A closed standard stream never lends its number to a board: nothing a
// command prints reaches the board as an output report, and an export to a
// closed standard output fails.
TEST(QorctlGuestTest, AClosedStandardStreamNeverBecomesTheBoard) {
  const std::string trace = "/tmp/board-trace";
  VirtualBoardProcess boards({"--verbose", "--board", "Guest A"}, trace);
  ASSERT_TRUE(boards.Ready()) << boards.Failure();

  struct Row {
    int Closed;
    std::vector<std::string> Arguments;
    int Status;
  };
  for (const Row& row : {Row{1, {"export", "-"}, 5}, Row{1, {"show"}, 5}, Row{2, {"get", "mode", "-b", "nosuch"}, 3},
                         Row{0, {"import", "-"}, 5}}) {
    const Outcome outcome = Qorctl(row.Arguments, false, row.Closed);
    EXPECT_EQ(outcome.Status, row.Status) << row.Arguments[0] << " with descriptor " << row.Closed << " closed\n"
                                          << outcome.Err;
  }
  EXPECT_TRUE(boards.Stop());
  const std::string traced = [&] {
    std::ifstream file(trace);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }();
  EXPECT_NE(traced.find("get report"), std::string::npos) << "the trace shows no transfer at all";
  EXPECT_EQ(traced.find("output report"), std::string::npos) << traced;
}

}  // namespace
}  // namespace qor::guest
