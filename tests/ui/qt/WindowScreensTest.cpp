// The windows on one virtual screen, given on the command line as
// WIDTHxHEIGHT@RATIO: on a screen smaller than a window the whole client
// area scrolls and every control stays reachable; on a larger one nothing
// changes; pictures are drawn for the pixel ratio of the screen they are on.

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryFile>
#include <QWindow>
#include <QtTest>

#include "tests/ui/scenarios/WindowHarness.h"
#include "ui/AboutDialog.h"
#include "ui/framework/qt/DialogWindow.h"
#include "ui/framework/qt/Picture.h"

using namespace qor;
using namespace qor::test;
using ui::qt::ItemOf;
using ui::qt::WindowOf;

namespace {

// The window fits its screen, and Tab takes the focus to `last` (the last
// tab stop) with the area scrolled so that it shows.
void CheckReachable(QWidget* window, QWidget* last) {
  const QRect available = window->screen()->availableGeometry();
  const QRect frame = window->frameGeometry();
  QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5 does not fit %6x%7")
                                                     .arg(window->windowTitle())
                                                     .arg(frame.x())
                                                     .arg(frame.y())
                                                     .arg(frame.width())
                                                     .arg(frame.height())
                                                     .arg(available.width())
                                                     .arg(available.height())));
  auto* scroll = window->findChild<QScrollArea*>();
  QWidget* client = last->parentWidget();
  if (scroll) {
    QVERIFY(client->width() > window->width() || client->height() > window->height());
  } else {
    QCOMPARE(window->size(), client->size());  // a screen large enough changes nothing
  }
  for (int tab = 0; tab < 80 && window->focusWidget() != last; ++tab)
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
  QCOMPARE(window->focusWidget(), last);
  QWidget* shown = scroll ? scroll->viewport() : window;
  const QRect place(last->mapTo(shown, QPoint(0, 0)), last->size());
  QVERIFY2(shown->rect().contains(place), qPrintable(last->objectName() + QStringLiteral(" is out of sight")));
}

// The window's one picture holds the pixels of `size` (its place when
// empty) at the window's pixel ratio, and carries the ratio.
void CheckPicture(QWidget* window, QSize size = {}) {
  const qreal ratio = window->devicePixelRatioF();
  const QList<ui::qt::Picture*> pictures = window->findChildren<ui::qt::Picture*>();
  QCOMPARE(pictures.size(), 1);
  const QPixmap pixmap = pictures[0]->Drawn();
  if (size.isEmpty()) size = pictures[0]->size();
  QCOMPARE(pixmap.devicePixelRatio(), ratio);
  QCOMPARE(pixmap.size(), QSize(qRound(size.width() * ratio), qRound(size.height() * ratio)));
  QVERIFY(!pixmap.toImage().allGray());  // drawn, not just allocated
}

}  // namespace

class WindowScreensTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9)); }

  void everyControlReachable() {
    WindowHarness harness;
    harness.Platform.AddBoard("Cabinet", SampleSettings(1));
    QVERIFY(harness.Run([&](ui::CConfigMainDialog& dialog) {
      CheckReachable(WindowOf(dialog), ItemOf(dialog, 1097));  // "Export Settings", the last tab stop
      QVERIFY(OpenAndDrive(dialog, 1018, dialog.m_KeycodeDialog, [&] {
        CheckReachable(WindowOf(dialog.m_KeycodeDialog), ItemOf(dialog.m_KeycodeDialog, 1027));
      }));
    }));
  }

  void picturesAtTheScreensRatio() {
    WindowHarness harness;
    QVERIFY(harness.Run([&](ui::CConfigMainDialog& dialog) {
      QWidget* main = WindowOf(dialog);
      CheckPicture(main);  // the board picture fills its place
      // Moved to a screen of another ratio, it is drawn again for that one.
      QScreen* other = QGuiApplication::screens().last();
      main->windowHandle()->setScreen(other);
      QCOMPARE(main->devicePixelRatioF(), other->devicePixelRatio());
      CheckPicture(main);
      main->windowHandle()->setScreen(QGuiApplication::primaryScreen());
      ui::CAboutDialog about;
      QVERIFY(TheDriver().DriveModal(
          about, [&] { about.DoModal(); },
          [&] { CheckPicture(WindowOf(about), QSize(32, 32)); },  // the icon keeps the icon size
          res::IDOK));
    }));
  }
};

// The screen comes first on the command line; the rest goes to Qt Test.
int main(int argc, char* argv[]) {
  const QRegularExpressionMatch screen = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)@([0-9.]+)$"))
                                             .match(QString::fromLatin1(argc > 1 ? argv[1] : ""));
  if (!screen.hasMatch()) {
    std::fprintf(stderr, "usage: WindowScreensTest WIDTHxHEIGHT@RATIO [Qt Test options]\n");
    return 2;
  }
  QTemporaryFile config;
  if (!config.open()) return 2;
  // A second screen to the right, of another ratio, for a window moved there.
  const QString otherRatio = screen.captured(3).toDouble() == 1 ? QStringLiteral("2") : QStringLiteral("1");
  config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,)"
                              R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %3},)"
                              R"( {"name": "other", "x": %1, "y": 0, "width": 1920, "height": 1080,)"
                              R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": %4}]})")
                   .arg(screen.captured(1), screen.captured(2), screen.captured(3), otherRatio)
                   .toLatin1());
  config.flush();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
  argv[1] = argv[0];
  QApplication application(--argc, argv + 1);
  WindowScreensTest test;
  return QTest::qExec(&test, argc, argv + 1);
}

#include "WindowScreensTest.moc"
