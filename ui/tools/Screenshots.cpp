// Renders every window of the program in its typical states to PNG files, for
// a person to look at. Runs on any Qt platform, offscreen included:
//   qorconfig-screenshots [--points N] [--scale RATIO] [output folder]
// --points sets the desktop font's size, --scale the screen's pixel ratio.

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "device/DeviceLink.h"
#include "settings/KeyCodeTable.h"
#include "sim/DemoBoards.h"
#include "sim/SimPlatform.h"
#include "ui/AboutDialog.h"
#include "ui/ConfigMainDialog.h"
#include "ui/SetupDialogs.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/qt/DialogFont.h"
#include "ui/framework/qt/DialogWindow.h"
#include "ui/framework/qt/QtPainter.h"
#include "ui/joystick/FakeJoystickInput.h"

namespace {

using namespace qor;
using namespace qor::ui;
using qt::WindowOf;

QString outputFolder;

void Save(QWidget* window, const QString& name) {
  const QString path = QDir(outputFolder).filePath(name + QStringLiteral(".png"));
  // A window larger than the screen scrolls; the picture shows all of it.
  const auto* scroll = window->findChild<QScrollArea*>();
  (scroll ? scroll->widget() : window)->grab().save(path);
  std::cout << path.toStdString() << '\n';
}

// Runs `action` once the next modal window is up, then lets `close` end it.
void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) {
      WhenModal(action);
      return;
    }
    action(modal);
  });
}

// Opens the main window over `platform`, runs `steps` on it, then closes it.
void ShowMainWindow(sim::SimPlatform& platform, const std::function<void(CConfigMainDialog&)>& steps) {
  DeviceLink link(platform);
  CConfigMainDialog dialog(link);
  WhenModal([&](QWidget*) {
    steps(dialog);
    dialog.EndDialog(res::IDOK);
  });
  dialog.DoModal();
}

void Shoot(CDialog& dialog, const QString& name, const std::function<void()>& before = {}) {
  WhenModal([&dialog, name, before](QWidget* window) {
    if (before) before();
    Save(window, name);
    dialog.EndDialog(res::IDCANCEL);
  });
  dialog.DoModal();
}

// Moves the stick through four positions, ending at x, y: the fourth change
// repaints the preview.
void MoveStick(joystick::FakeJoystickInput& joystick, int x, int y) {
  for (int step = 3; step >= 0; --step)
    joystick.Move(static_cast<std::uint8_t>(x + step), static_cast<std::uint8_t>(y));
}

// The setup dialogs with chosen settings and the stick away from its rest.
void ShootSetupDialogs(joystick::FakeJoystickInput& joystick) {
  CKeycodeDialog keyStick;
  for (std::size_t j = 0; j < keyStick.m_KeyCodes.size(); ++j)
    keyStick.m_KeyCodes[j] = KeyCodeTable::CodeAt(static_cast<int>(j * 6 % KeyCodeTable::Count));
  keyStick.m_KeyCodes[5] = 0x00;  // not in the table: shown as "F1"
  keyStick.m_KeyStickZone = DeadZone{60, 200, 40, 220};
  Shoot(keyStick, QStringLiteral("keystick-loaded"), [&] { MoveStick(joystick, 180, 90); });
  Shoot(keyStick, QStringLiteral("keystick-stick-at-corner"), [&] { MoveStick(joystick, 0, 255); });
  keyStick.m_KeyStickZone = DeadZone{};
  Shoot(keyStick, QStringLiteral("keystick-empty-zone"));

  CJoyMouseDialog joyMouse;
  joyMouse.m_JoyMouseZone = DeadZone{100, 150, 90, 160};
  joyMouse.m_JoyMouseOptions = 0x88;
  Shoot(joyMouse, QStringLiteral("joymouse-loaded"), [&] { MoveStick(joystick, 140, 120); });
  joyMouse.m_JoyMouseOptions = 0x00;
  joyMouse.m_JoyMouseZone = DeadZone{0, 255, 0, 255};
  Shoot(joyMouse, QStringLiteral("joymouse-disabled-full-zone"));

  CAnalogDialog analog;
  analog.m_AnalogMask = 0x2D;
  Shoot(analog, QStringLiteral("analog-0x2D"));
}

// The preview alone, four times enlarged pixel for pixel, to check its lines.
void ShootPreviewPixels() {
  QImage image(153, 126, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    qt::QtDC dc(painter);
    DrawDeadZonePreview(dc, Size{image.width(), image.height()}, DeadZone{100, 150, 90, 160}, 250, 10);
  }
  const QString path = QDir(outputFolder).filePath(QStringLiteral("preview-pixels.png"));
  image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path);
  std::cout << path.toStdString() << '\n';
}

}  // namespace

int main(int argc, char* argv[]) {
  int points = 0;
  outputFolder = QStringLiteral("screenshots");
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--points" && i + 1 < argc) {
      points = std::atoi(argv[++i]);
    } else if (arg == "--scale" && i + 1 < argc) {
      qputenv("QT_SCALE_FACTOR", argv[++i]);  // read when the application starts
    } else {
      outputFolder = QString::fromLocal8Bit(argv[i]);
    }
  }
  QApplication application(argc, argv);
  if (points > 0) QApplication::setFont(QFont(qt::DialogFont().family(), points));
  QDir().mkpath(outputFolder);
  SetMessageHook([](const std::string&) {});
  joystick::FakeJoystickInput joystick;
  joystick::SetJoystickInput(&joystick);

  sim::SimPlatform none;
  ShowMainWindow(none, [](CConfigMainDialog& dialog) { Save(WindowOf(dialog), QStringLiteral("main-no-board")); });

  sim::SimPlatform demo;
  sim::AddDemoBoards(demo);
  ShowMainWindow(demo, [&](CConfigMainDialog& dialog) {
    Save(WindowOf(dialog), QStringLiteral("main-loaded"));
    for (int mode = 0; mode < ModeCount; ++mode) {
      dialog.GetDlgItem<CComboBox>(res::IDC_MODE_LIST).SetCurSel(mode);
      dialog.UpdateWiringLabels();
      Save(WindowOf(dialog), QStringLiteral("main-mode-%1").arg(mode));
    }
    demo.FailGetFeature(1);
    dialog.OnRereadDevice();
    Save(WindowOf(dialog), QStringLiteral("main-link-lost"));

    CAboutDialog about;
    Shoot(about, QStringLiteral("about"));
    Shoot(dialog.m_AnalogDialog, QStringLiteral("analog"));
    Shoot(dialog.m_JoyMouseDialog, QStringLiteral("joymouse"));
    Shoot(dialog.m_KeycodeDialog, QStringLiteral("keystick"));
  });

  ShootSetupDialogs(joystick);
  ShootPreviewPixels();
  joystick::SetJoystickInput(nullptr);
  return 0;
}
