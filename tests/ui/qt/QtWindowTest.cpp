// What only Qt's windows have to show: tooltips, the window menu in the
// context menu, the labels as widgets, and the main window's place on the
// screen.

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "tests/ui/scenarios/WindowHarness.h"
#include "ui/framework/qt/DialogWindow.h"

using namespace qor;
using namespace qor::test;
using ui::CConfigMainDialog;
using ui::qt::ItemOf;
using ui::qt::WindowOf;

namespace {

// Runs `action` with the modal window once one is up, other than `below`.
void WhenModal(std::function<void(QWidget*)> action, QWidget* below = nullptr) {
  QTimer::singleShot(0, [action, below] {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != below && modal->isVisible())
      action(modal);
    else
      WhenModal(action, below);
  });
}

}  // namespace

class QtWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void toolTips() {
    WindowHarness harness;
    QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
      const std::pair<int, const char*> tips[] = {
          {res::IDC_SCAN_DEVICES, "Scan PC for comaptible USB devices."},
          {res::IDC_REREAD_DEVICE, "Reread status information from selected device."},
          {res::IDC_DEVICE_LIST, "Please select a device from this list."},
          {res::IDC_SAVE_SETTINGS, "Save current settings to selected QOR device."},
          {res::IDOK, "Click to exit."},
          {res::IDC_ANALOG_SETUP, "Enable or disable analog inputs."},
          {res::IDC_KEYSTICK_SETUP, "Set deadzone and keycodes for KeyStick mode."},
          {res::IDC_JOYMOUSE_SETUP, "Set deadzone and mouse speed for JoyMouse mode."},
          {res::IDC_IMPORT_SETTINGS, "Load QOR settings from a file."},
          {res::IDC_EXPORT_SETTINGS, "Save QOR settings to a file."},
          {res::IDC_BOARD_ID_LIST, ""},
          {res::IDC_MODE_LIST, ""},
          {res::IDC_PIN_L1, ""},
      };
      for (const auto& [id, tip] : tips) QCOMPARE(ItemOf(dialog, id)->toolTip(), QString::fromLatin1(tip));
      QCOMPARE(WindowOf(dialog)->windowTitle(), QStringLiteral("QOR Configuration"));
      QVERIFY(!WindowOf(dialog)->windowIcon().isNull());
    }));
  }

  void disabledControlsShowNoTip() {
    WindowHarness harness;  // no board: "Save Settings" is disabled, "Scan Devices" is not
    QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
      const auto hover = [](QWidget* control) {
        QHelpEvent help(QEvent::ToolTip, control->rect().center(), control->mapToGlobal(control->rect().center()));
        QApplication::sendEvent(control, &help);
      };
      QVERIFY(!ItemOf(dialog, res::IDC_SAVE_SETTINGS)->isEnabled());
      hover(ItemOf(dialog, res::IDC_SAVE_SETTINGS));
      QVERIFY(!QToolTip::isVisible());
      hover(ItemOf(dialog, res::IDC_SCAN_DEVICES));
      QVERIFY(QToolTip::isVisible());
      QCOMPARE(QToolTip::text(), QStringLiteral("Scan PC for comaptible USB devices."));
      QToolTip::hideText();
    }));
  }

  void contextMenuOpensTheAboutBox() {
    WindowHarness harness;
    QString aboutTitle;
    QStringList menuTexts;
    QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
      QWidget* main = WindowOf(dialog);
      // The menu is up inside the context menu event; the About box opens once it is chosen.
      QTimer::singleShot(0, [&] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction* action : menu->actions())
          menuTexts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        WhenModal(
            [&](QWidget* about) {
              aboutTitle = about->windowTitle();
              QTest::keyClick(about, Qt::Key_Escape);
            },
            main);
        QTest::keyClick(menu, Qt::Key_Up);
        QTest::keyClick(menu, Qt::Key_Return);
      });
      QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(5, 5), main->mapToGlobal(QPoint(5, 5)));
      QApplication::sendEvent(main, &event);
    }));
    QCOMPARE(menuTexts.mid(menuTexts.size() - 2), (QStringList{"-", "&About QORConfig..."}));
    QCOMPARE(aboutTitle, QStringLiteral("QOR Configuration"));
  }

  void keyStickLabelsEachZoneBoxAndInput() {
    WindowHarness harness;
    harness.Platform.AddBoard("ABC", SampleSettings(1));
    QStringList labels;
    QVERIFY(harness.Run([&](CConfigMainDialog& main) {
      QVERIFY(OpenAndDrive(main, res::IDC_KEYSTICK_SETUP, main.m_KeycodeDialog, [&] {
        for (const QLabel* label : WindowOf(main.m_KeycodeDialog)->findChildren<QLabel*>()) labels << label->text();
      }));
    }));
    QCOMPARE(labels,
             (QStringList{"Top",       "Bottom",   "Left",     "Right",     "Up",        "Down",      "Left",
                          "Right",     "Button 1", "Button 2", "Button 3",  "Button 4",  "Button 5",  "Button 6",
                          "Button 7",  "Button 8", "Button 9", "Button 10", "Button 11", "Button 12", "Button 13",
                          "Button 14", "0",        "255",      "0",         "255"}));
  }

  // Centred with the frame the window really has, not the one estimated
  // before it was shown.
  void mainWindowIsCentredOnTheScreen() {
    WindowHarness harness;
    QPoint centre, screenCentre;
    QVERIFY(harness.Run([&](CConfigMainDialog& dialog) {
      QWidget* window = WindowOf(dialog);
      centre = window->frameGeometry().center();
      screenCentre = window->screen()->availableGeometry().center();
    }));
    QVERIFY2((centre - screenCentre).manhattanLength() <= 2, qPrintable(QStringLiteral("centre %1,%2, screen's %3,%4")
                                                                            .arg(centre.x())
                                                                            .arg(centre.y())
                                                                            .arg(screenCentre.x())
                                                                            .arg(screenCentre.y())));
  }
};

QTEST_MAIN(QtWindowTest)
#include "QtWindowTest.moc"
