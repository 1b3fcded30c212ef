// Renders every window of the program in its typical states to PNG files, for
// a person to look at. Runs on any Qt platform, offscreen included:
//   qorconfig-screenshots [output folder]

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTimer>
#include <functional>
#include <iostream>

#include "device/DeviceLink.h"
#include "sim/SimPlatform.h"
#include "ui/AboutDialog.h"
#include "ui/ConfigMainDialog.h"
#include "ui/DemoBoards.h"
#include "ui/framework/MessageBox.h"

namespace {

using namespace qor;
using namespace qor::ui;

QString outputFolder;

void Save(QWidget* window, const QString& name) {
  const QString path = QDir(outputFolder).filePath(name + QStringLiteral(".png"));
  window->grab().save(path);
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

void Shoot(CDialog& dialog, const QString& name) {
  WhenModal([&dialog, name](QWidget* window) {
    Save(window, name);
    dialog.EndDialog(res::IDCANCEL);
  });
  dialog.DoModal();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  outputFolder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
  QDir().mkpath(outputFolder);
  SetMessageHook([](const QString&, QWidget*) {});

  sim::SimPlatform none;
  ShowMainWindow(none, [](CConfigMainDialog& dialog) { Save(dialog.Window(), QStringLiteral("main-no-board")); });

  sim::SimPlatform demo;
  AddDemoBoards(demo);
  ShowMainWindow(demo, [&](CConfigMainDialog& dialog) {
    Save(dialog.Window(), QStringLiteral("main-loaded"));
    for (int mode = 0; mode < ModeCount; ++mode) {
      dialog.DlgItem<QComboBox>(1009)->setCurrentIndex(mode);
      dialog.UpdateWiringLabels();
      Save(dialog.Window(), QStringLiteral("main-mode-%1").arg(mode));
    }
    demo.Unplug(*demo.AddBoard("unused"));
    demo.FailGetFeature(1);
    dialog.OnRereadDevice();
    Save(dialog.Window(), QStringLiteral("main-link-lost"));

    CAboutDialog about;
    Shoot(about, QStringLiteral("about"));
    Shoot(dialog.m_AnalogDialog, QStringLiteral("analog"));
    Shoot(dialog.m_JoyMouseDialog, QStringLiteral("joymouse"));
    Shoot(dialog.m_KeycodeDialog, QStringLiteral("keystick"));
  });
  return 0;
}
