// The main window on a real kernel, as the program runs it: the hidraw
// backend with boards on uhid, the evdev reader with a joystick on uinput,
// the offscreen platform.

#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QtTest>

#include "GuestLink.h"
#include "VirtualBoardProcess.h"
#include "device/AccessAdvice.h"
#include "device/linux/AccessHint.h"
#include "device/linux/SysfsBoardProbe.h"
#include "tests/ui/scenarios/Scenario.h"
#include "tools/virtual-joystick/UinputJoystick.h"
#include "ui/joystick/EvdevJoystickInput.h"

using namespace qor;
using namespace qor::test;
using ui::CConfigMainDialog;

namespace {

constexpr res::ControlId Scan = res::IDC_SCAN_DEVICES, Reread = res::IDC_REREAD_DEVICE,
                         DeviceList = res::IDC_DEVICE_LIST, ModeList = res::IDC_MODE_LIST,
                         BoardIdList = res::IDC_BOARD_ID_LIST, Save = res::IDC_SAVE_SETTINGS,
                         KeyStickSetup = res::IDC_KEYSTICK_SETUP;

// The process's effective user is nobody while this lives, so that nodes open
// as they would for an unprivileged user.
class AsNobody {
 public:
  AsNobody() : m_Active(::setegid(NobodyId) == 0 && ::seteuid(NobodyId) == 0) {}
  ~AsNobody() {
    if (::seteuid(0) != 0 || ::setegid(0) != 0) qFatal("could not become root again");
  }
  AsNobody(const AsNobody&) = delete;
  AsNobody& operator=(const AsNobody&) = delete;
  bool Active() const { return m_Active; }

 private:
  static constexpr uid_t NobodyId = 65534;
  bool m_Active;
};

// The board's settings as a fresh link reads them, after a scan.
std::optional<SettingsReport> BoardSettings() {
  LinuxHidPlatform platform;
  DeviceLink link(platform);
  if (guest::ScanAndIdentify(link).size() != 1 || !link.ReadDeviceSettings(0)) return std::nullopt;
  return link.ReportImage();
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void listsRereadsAndSavesAUhidBoard() {
    const SettingsReport stored = SampleSettings(1);
    guest::VirtualBoardProcess boards({"--board", "Cabinet left", "--settings", guest::SettingsHex(stored)});
    QVERIFY2(boards.Ready(), boards.Failure().c_str());

    LinuxHidPlatform platform;
    WindowHarness window(platform);
    Driver& user = TheDriver();
    QVERIFY(window.Run([&](CConfigMainDialog& dialog) {
      QCOMPARE(Entries(List(dialog, DeviceList)), Texts{"1: Cabinet left"});
      QCOMPARE(Text(dialog, BoardIdList), std::to_string(stored[report_offset::BoardId] + 1));
      QCOMPARE(List(dialog, ModeList).GetCurSel(), int(stored[report_offset::Mode]));

      user.ChooseNext(dialog, BoardIdList);
      user.ChooseNext(dialog, ModeList);
      user.Click(dialog, Save);
      QCOMPARE(window.MessageTexts(), Texts{Saved});

      user.Click(dialog, Reread);
      QCOMPARE(Text(dialog, BoardIdList), std::to_string(stored[report_offset::BoardId] + 2));
      QCOMPARE(List(dialog, ModeList).GetCurSel(), stored[report_offset::Mode] + 1);
    }));
    QCOMPARE(window.MessageTexts(), Texts{Saved});

    // The board holds the new choices and everything else as it was, byte 5 included.
    SettingsReport expected = stored;
    ++expected[report_offset::BoardId];
    ++expected[report_offset::Mode];
    QCOMPARE(BoardSettings(), std::optional(expected));
  }

  void boardLeavingBetweenWriteAndReadBack() {
    // The scan's identification and read make transfers 1..5, the save's write 6.
    guest::VirtualBoardProcess boards({"--board", "Leaving", "--vanish-after", "6"});
    QVERIFY2(boards.Ready(), boards.Failure().c_str());

    LinuxHidPlatform platform;
    WindowHarness window(platform);
    QVERIFY(window.Run([&](CConfigMainDialog& dialog) {
      QCOMPARE(Entries(List(dialog, DeviceList)), Texts{"1: Leaving"});
      TheDriver().Click(dialog, Save);
      QCOMPARE(window.MessageTexts(), Texts{LinkLost});
      QVERIFY(!Enabled(dialog, Save));
      QVERIFY(boards.WaitForLine("vanished", 5000));
      TheDriver().Click(dialog, Scan);
      QCOMPARE(window.MessageTexts(), (Texts{LinkLost, NoDevices}));
      QVERIFY(Entries(List(dialog, DeviceList)).empty());
      QVERIFY(!Enabled(dialog, DeviceList));
    }));
  }

  // A board whose node is root's, scanned by the window running as nobody: the
  // message names the node, found through sysfs, and the access rules.
  void noDevicesNamesTheNodeNobodyMayOpen() {
    guest::VirtualBoardProcess boards({"--board", "Locked"});
    QVERIFY2(boards.Ready(), boards.Failure().c_str());
    const std::vector<guest::VirtualNode> nodes = boards.NodesOfKind("board");
    QCOMPARE(nodes.size(), std::size_t(1));
    QCOMPARE(::chmod(nodes[0].Hidraw.c_str(), 0600), 0);

    LinuxHidPlatform platform;
    SysfsBoardProbe probe;
    const InstalledRules rules{"/usr/lib/udev/rules.d/70-qor-boards.rules",
                               "/usr/share/doc/qorctl/examples/qor-boards-plugdev.rules"};
    AccessHint hint(probe, rules);
    WindowHarness window(platform);
    window.Hint = &hint;
    {
      AsNobody nobody;
      QVERIFY(nobody.Active());
      QVERIFY(window.Run([](CConfigMainDialog&) {}));
    }
    QCOMPARE(window.MessageTexts(),
             Texts{NoDevices + "\n" + AccessAdvice({{nodes[0].Hidraw, EACCES}}, rules, AdviceLength::Short)});
  }

  // The KeyStick dialog's preview follows a joystick through the evdev reader.
  void previewFollowsAUinputJoystick() {
    guest::VirtualBoardProcess boards({"--board", "With stick"});
    QVERIFY2(boards.Ready(), boards.Failure().c_str());
    std::string error;
    const auto joystick = virtualjoystick::UinputJoystick::Create({0, 1023}, {0, 1023}, error);
    QVERIFY2(joystick, error.c_str());
    auto* reader = dynamic_cast<joystick::EvdevJoystickInput*>(&joystick::CurrentJoystickInput());
    QVERIFY2(reader, "the program reads this machine's joysticks");

    LinuxHidPlatform platform;
    WindowHarness window(platform);
    QVERIFY(window.Run([&](CConfigMainDialog& dialog) {
      ui::CJoyThreshBox& preview = dialog.m_KeycodeDialog.m_Preview;
      QVERIFY(OpenAndDrive(dialog, KeyStickSetup, dialog.m_KeycodeDialog, [&] {
        QCOMPARE(reader->OpenNodes(), std::vector<std::string>{joystick->Node()});
        QVERIFY(joystick->Step({1023, 0}));
        QTRY_COMPARE(preview.X(), std::uint8_t(255));
        QCOMPARE(preview.Y(), std::uint8_t(0));
        QVERIFY(joystick->Step({0, 767}));
        QTRY_COMPARE(preview.X(), std::uint8_t(0));
        QCOMPARE(preview.Y(), std::uint8_t(191));
      }));
      QVERIFY(reader->OpenNodes().empty());
    }));
    QVERIFY(window.MessageTexts().empty());
  }
};

int main(int argc, char** argv) {
  // The guest has no display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  WindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
