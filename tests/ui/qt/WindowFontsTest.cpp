// Every window at the fonts and sizes of Linux desktops: no text wider or
// taller than its control, every group's frame through its title and above
// the controls inside it, every check box's indicator whole.

#include <QApplication>
#include <QFontInfo>
#include <QtTest>

#include "WindowCheck.h"
#include "tests/ui/scenarios/WindowHarness.h"
#include "ui/AboutDialog.h"
#include "ui/framework/qt/DialogFont.h"
#include "ui/framework/qt/DialogWindow.h"

using namespace qor;
using namespace qor::test;
using ui::qt::WindowOf;

namespace {

// The checks of one open window; each fault names the window.
QStringList Faults(QWidget* window) {
  QStringList faults = ClippedTexts(window) + MisplacedGroupFrames(window) + CutCheckBoxes(window);
  for (QString& fault : faults) fault.prepend(window->windowTitle() + QStringLiteral(": "));
  return faults;
}

// Runs `dialog` over the open main window and checks it.
QStringList CheckDialog(ui::CDialog& dialog) {
  QStringList faults;
  if (!TheDriver().DriveModal(
          dialog, [&] { dialog.DoModal(); }, [&] { faults = Faults(WindowOf(dialog)); }, res::IDCANCEL))
    faults << QStringLiteral("a dialog never came up");
  return faults;
}

}  // namespace

class WindowFontsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyWindowShowsItsTextsWhole_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    for (const char* family : {"DejaVu Sans", "Liberation Sans", "DejaVu Sans Condensed"})
      for (int points : {8, 9, 10, 11, 14})
        QTest::addRow("%s %d pt", family, points) << QString::fromLatin1(family) << points;
  }

  void everyWindowShowsItsTextsWhole() {
    QFETCH(QString, family);
    QFETCH(int, points);
    const QFont font(family, points);
    QCOMPARE(QFontInfo(font).family(), family);  // the face is installed (scripts/install-deps)
    const QFont previous = QApplication::font();
    QApplication::setFont(font);

    WindowHarness harness;
    harness.Platform.AddBoard("A board with a long identification", SampleSettings(3));
    QStringList faults;
    QVERIFY(harness.Run([&](ui::CConfigMainDialog& dialog) {
      QCOMPARE(WindowOf(dialog)->font(), font);
      faults += Faults(WindowOf(dialog));
      ui::CAboutDialog about;
      faults += CheckDialog(about);
      faults += CheckDialog(dialog.m_AnalogDialog);
      faults += CheckDialog(dialog.m_JoyMouseDialog);
      faults += CheckDialog(dialog.m_KeycodeDialog);
    }));
    QApplication::setFont(previous);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
  }

  // A platform that hands out a font without a size chose none: sans-serif 9 pt.
  void fontWithoutSizeBecomesSansSerifNine() {
    const QFont chosen = ui::qt::DialogFontFrom(QFont(QStringLiteral("Liberation Sans"), 11));
    QCOMPARE(chosen.family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(chosen.pointSize(), 11);
    const QFont fallback = ui::qt::DialogFontFrom(QFont(QStringLiteral("Liberation Sans")));
    QCOMPARE(fallback.pointSize(), 9);
    QCOMPARE(fallback.styleHint(), QFont::SansSerif);
  }
};

QTEST_MAIN(WindowFontsTest)
#include "WindowFontsTest.moc"
