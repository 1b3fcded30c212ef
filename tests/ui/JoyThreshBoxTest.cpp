// The dead-zone preview: its pixels at the drawing rules' coordinates, the
// shared redraw counter, the zone's low bytes, and the joystick registration
// that never outlives the control's window.

#include "ui/JoyThreshBox.h"

#include <QPainter>
#include <QtTest>
#include <memory>

#include "ui/joystick/FakeJoystickInput.h"

using namespace qor;
using namespace qor::ui;

namespace {

enum Colour { Grey, Red, Black, Yellow };

QColor ColourOf(int colour) {
  switch (colour) {
    case Grey:
      return QColor(200, 200, 200);
    case Red:
      return QColor(255, 80, 80);
    case Black:
      return QColor(0, 0, 0);
    default:
      return QColor(255, 255, 0);
  }
}

std::unique_ptr<CustomControlWindow> NewWindow(QSize size) {
  auto window = std::make_unique<CustomControlWindow>(nullptr);
  window->resize(size);
  return window;
}

void Move(CJoyThreshBox& box, int x, int y) {
  const std::uint8_t report[] = {0, static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
  box.OnJoystickReport(report);
}

class PaintCounter : public QObject {
 public:
  int Paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

// The colour of the control's pixel at x, y, whatever the screen's pixel
// ratio: the device pixel at the middle of that pixel.
QColor At(const QImage& image, int x, int y) {
  const qreal ratio = image.devicePixelRatio();
  return image.pixelColor(static_cast<int>((x + 0.5) * ratio), static_cast<int>((y + 0.5) * ratio));
}
QColor At(const QImage& image, QPoint pixel) { return At(image, pixel.x(), pixel.y()); }

void Flush() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
}

}  // namespace

class JoyThreshBoxTest : public QObject {
  Q_OBJECT

  joystick::FakeJoystickInput* m_Fake = nullptr;

 private slots:
  void init() {
    m_Fake = new joystick::FakeJoystickInput;
    joystick::SetJoystickInput(m_Fake);
    CJoyThreshBox::ResetRedrawCounter();
  }
  void cleanup() {
    joystick::SetJoystickInput(nullptr);
    delete m_Fake;
  }

  void paintsAtTheRulesCoordinates_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<int>>("zone");  // Top, Bottom, Left, Right
    QTest::addColumn<QList<int>>("stick");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<int>("colour");

    const QSize square(256, 256);
    const QList<int> zone{32, 160, 64, 192};
    const QList<int> rest{127, 127};
    QTest::newRow("box outline left") << square << zone << rest << QPoint(0, 100) << int(Black);
    QTest::newRow("box outline right") << square << zone << rest << QPoint(255, 100) << int(Black);
    QTest::newRow("box outline bottom") << square << zone << rest << QPoint(100, 255) << int(Black);
    QTest::newRow("box inside") << square << zone << rest << QPoint(1, 1) << int(Grey);
    QTest::newRow("zone left outline") << square << zone << rest << QPoint(64, 100) << int(Black);
    QTest::newRow("left of zone") << square << zone << rest << QPoint(63, 100) << int(Grey);
    QTest::newRow("zone inside") << square << zone << rest << QPoint(65, 100) << int(Red);
    QTest::newRow("zone right outline") << square << zone << rest << QPoint(191, 100) << int(Black);
    QTest::newRow("zone right exclusive") << square << zone << rest << QPoint(192, 100) << int(Grey);
    QTest::newRow("zone top outline") << square << zone << rest << QPoint(100, 32) << int(Black);
    QTest::newRow("above zone") << square << zone << rest << QPoint(100, 31) << int(Grey);
    QTest::newRow("zone bottom outline") << square << zone << rest << QPoint(100, 159) << int(Black);
    QTest::newRow("zone bottom exclusive") << square << zone << rest << QPoint(100, 160) << int(Grey);
    QTest::newRow("centre line over zone") << square << zone << rest << QPoint(100, 128) << int(Black);
    QTest::newRow("vertical centre line") << square << zone << rest << QPoint(128, 40) << int(Black);
    QTest::newRow("arm left end") << square << zone << rest << QPoint(117, 127) << int(Yellow);
    QTest::newRow("before arm") << square << zone << rest << QPoint(116, 127) << int(Red);
    QTest::newRow("arm right end") << square << zone << rest << QPoint(136, 127) << int(Yellow);
    QTest::newRow("arm end point left out") << square << zone << rest << QPoint(137, 127) << int(Red);
    QTest::newRow("arm top end") << square << zone << rest << QPoint(127, 117) << int(Yellow);
    QTest::newRow("arm bottom end") << square << zone << rest << QPoint(127, 136) << int(Yellow);
    QTest::newRow("arm bottom end point left out") << square << zone << rest << QPoint(127, 137) << int(Red);
    QTest::newRow("cross-hair over centre line") << square << zone << rest << QPoint(127, 128) << int(Yellow);
    QTest::newRow("cross-hair over vertical line") << square << zone << rest << QPoint(128, 127) << int(Yellow);

    // 37 x 23: every coordinate truncates.
    const QSize tiny(37, 23);
    const QList<int> middle{64, 192, 64, 192};
    QTest::newRow("tiny zone left outline") << tiny << middle << rest << QPoint(9, 8) << int(Black);
    QTest::newRow("tiny zone inside") << tiny << middle << rest << QPoint(10, 8) << int(Red);
    QTest::newRow("tiny zone right outline") << tiny << middle << rest << QPoint(26, 8) << int(Black);
    QTest::newRow("tiny right exclusive") << tiny << middle << rest << QPoint(27, 8) << int(Grey);
    QTest::newRow("tiny zone top outline") << tiny << middle << rest << QPoint(12, 5) << int(Black);
    QTest::newRow("tiny zone bottom outline") << tiny << middle << rest << QPoint(12, 16) << int(Black);
    QTest::newRow("tiny arm") << tiny << middle << rest << QPoint(16, 11) << int(Yellow);
    QTest::newRow("tiny arm end on centre line") << tiny << middle << rest << QPoint(19, 11) << int(Black);
    QTest::newRow("tiny vertical arm end") << tiny << middle << rest << QPoint(18, 12) << int(Black);

    // 153 x 126: the arms run outside the box at the ends of the scale.
    const QSize dialog(153, 126);
    QTest::newRow("X 0 arm clipped at left") << dialog << middle << QList<int>{0, 0} << QPoint(0, 0) << int(Yellow);
    QTest::newRow("X 0 arm last pixel") << dialog << middle << QList<int>{0, 0} << QPoint(4, 0) << int(Yellow);
    QTest::newRow("X 0 arm ends at 10 units") << dialog << middle << QList<int>{0, 0} << QPoint(5, 0) << int(Black);
    QTest::newRow("Y 0 arm last pixel") << dialog << middle << QList<int>{0, 0} << QPoint(0, 3) << int(Yellow);
    QTest::newRow("Y 0 arm ends") << dialog << middle << QList<int>{0, 0} << QPoint(0, 4) << int(Black);
    QTest::newRow("X 255 arm start") << dialog << middle << QList<int>{255, 255} << QPoint(146, 125) << int(Yellow);
    QTest::newRow("X 255 before arm") << dialog << middle << QList<int>{255, 255} << QPoint(145, 125) << int(Black);
    QTest::newRow("X 255 arm clipped") << dialog << middle << QList<int>{255, 255} << QPoint(152, 125) << int(Yellow);
    QTest::newRow("Y 255 arm start") << dialog << middle << QList<int>{255, 255} << QPoint(152, 120) << int(Yellow);
    QTest::newRow("Y 255 before arm") << dialog << middle << QList<int>{255, 255} << QPoint(152, 119) << int(Black);
    QTest::newRow("full zone right outline")
        << dialog << QList<int>{0, 255, 0, 255} << QList<int>{20, 20} << QPoint(151, 30) << int(Black);
    QTest::newRow("full zone inside") << dialog << QList<int>{0, 255, 0, 255} << QList<int>{20, 20} << QPoint(150, 30)
                                      << int(Red);

    // 600 x 520: a zone of 0..255 leaves a grey strip right and below.
    const QSize large(600, 520);
    const QList<int> full{0, 255, 0, 255};
    QTest::newRow("full zone outline") << large << full << rest << QPoint(596, 100) << int(Black);
    QTest::newRow("full zone red") << large << full << rest << QPoint(595, 100) << int(Red);
    QTest::newRow("grey strip right") << large << full << rest << QPoint(597, 100) << int(Grey);
    QTest::newRow("grey strip right 2") << large << full << rest << QPoint(598, 100) << int(Grey);
    QTest::newRow("box outline after strip") << large << full << rest << QPoint(599, 100) << int(Black);
    QTest::newRow("grey strip bottom") << large << full << rest << QPoint(100, 517) << int(Grey);
    QTest::newRow("zone bottom outline large") << large << full << rest << QPoint(100, 516) << int(Black);
  }

  void paintsAtTheRulesCoordinates() {
    QFETCH(QSize, size);
    QFETCH(QList<int>, zone);
    QFETCH(QList<int>, stick);
    QFETCH(QPoint, pixel);
    QFETCH(int, colour);

    auto window = NewWindow(size);
    CJoyThreshBox box;
    box.SubclassWindow(window.get());
    box.SetDeadZone(zone[0], zone[1], zone[2], zone[3]);
    Move(box, stick[0], stick[1]);
    const QImage image = window->grab().toImage();
    QCOMPARE(image.deviceIndependentSize().toSize(), size);
    QCOMPARE(At(image, pixel), ColourOf(colour));
  }

  void emptyZoneDrawsNoRed() {
    auto window = NewWindow(QSize(256, 256));
    CJoyThreshBox box;
    box.SubclassWindow(window.get());
    Move(box, 200, 200);
    const QImage image = window->grab().toImage();
    QCOMPARE(At(image, 0, 0), ColourOf(Black));
    QCOMPARE(At(image, 1, 1), ColourOf(Grey));
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) QVERIFY(image.pixelColor(x, y) != ColourOf(Red));
  }

  void setDeadZoneKeepsLowBytes() {
    CJoyThreshBox box;
    box.SetDeadZone(300, 511, -1, 256);
    QCOMPARE(box.Zone(), (DeadZone{44, 255, 255, 0}));
  }

  // Three changes of position paint nothing, the fourth does, counted across
  // instances and openings.
  void everyFourthChangeRepaints() {
    QWidget dialog;
    dialog.resize(300, 200);
    auto* window = new CustomControlWindow(&dialog);
    window->setGeometry(10, 10, 153, 126);
    CJoyThreshBox box;
    box.SubclassWindow(window);
    PaintCounter counter;
    window->installEventFilter(&counter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Flush();
    // The measure itself: a pending update is painted by a flush.
    const int before = counter.Paints;
    window->update();
    Flush();
    QCOMPARE(counter.Paints, before + 1);

    const int base = counter.Paints;
    QVERIFY(m_Fake->Move(10, 10));
    QVERIFY(m_Fake->Move(10, 10));  // a repeat counts for nothing
    QVERIFY(m_Fake->Move(10, 20));  // only Y changes: one change
    QCOMPARE(CJoyThreshBox::RedrawCounter(), 2);
    QVERIFY(m_Fake->Move(30, 20));
    Flush();
    QCOMPARE(counter.Paints, base);
    QCOMPARE(CJoyThreshBox::RedrawCounter(), 3);
    QVERIFY(m_Fake->Move(40, 20));
    QCOMPARE(CJoyThreshBox::RedrawCounter(), 0);
    Flush();
    QCOMPARE(counter.Paints, base + 1);
    const QImage image = window->grab().toImage();
    QCOMPARE(At(image, 40 * 153 / 256, 20 * 126 / 256), ColourOf(Yellow));

    // A second control, opened later, continues the count.
    QVERIFY(m_Fake->Move(41, 20));
    QVERIFY(m_Fake->Move(42, 20));
    auto other = NewWindow(QSize(50, 50));
    CJoyThreshBox second;
    second.SubclassWindow(other.get());
    QVERIFY(m_Fake->Registered() == &second);
    QVERIFY(m_Fake->Move(43, 20));
    QCOMPARE(CJoyThreshBox::RedrawCounter(), 3);
    QVERIFY(m_Fake->Move(44, 20));
    QCOMPARE(CJoyThreshBox::RedrawCounter(), 0);
    QCOMPARE(box.X(), 42);
    QCOMPARE(second.X(), 44);
  }

  void positionStartsAtCentreAndSurvivesWindows() {
    CJoyThreshBox box;
    QCOMPARE(box.X(), 127);
    QCOMPARE(box.Y(), 127);
    {
      auto window = NewWindow(QSize(100, 100));
      box.SubclassWindow(window.get());
      QVERIFY(m_Fake->Move(5, 250));
    }
    auto reopened = NewWindow(QSize(100, 100));
    box.SubclassWindow(reopened.get());
    QCOMPARE(box.X(), 5);
    QCOMPARE(box.Y(), 250);
  }

  void ignoresReportsWithoutXAndY_data() {
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("report ID only") << QByteArray("\x00", 1);
    QTest::newRow("no Y") << QByteArray("\x00\x10", 2);
  }

  void ignoresReportsWithoutXAndY() {
    QFETCH(QByteArray, report);
    auto window = NewWindow(QSize(100, 100));
    CJoyThreshBox box;
    box.SubclassWindow(window.get());
    box.OnJoystickReport(std::span(reinterpret_cast<const std::uint8_t*>(report.constData()), report.size()));
    QCOMPARE(box.X(), 127);
    QCOMPARE(box.Y(), 127);
    QCOMPARE(CJoyThreshBox::RedrawCounter(), 0);
  }

  void readsOnlyBytesOneAndTwo() {
    auto window = NewWindow(QSize(100, 100));
    CJoyThreshBox box;
    box.SubclassWindow(window.get());
    QVERIFY(m_Fake->Send({7, 1, 2, 3, 4}));
    QCOMPARE(box.X(), 1);
    QCOMPARE(box.Y(), 2);
  }

  // Attaching a window registers; the latest registration wins; a window
  // that goes takes its own registration with it, and input never reaches a
  // control without a window.
  void registrationFollowsTheWindows() {
    CJoyThreshBox first;
    CJoyThreshBox second;
    QVERIFY(!first.Window());
    first.OnJoystickReport(std::vector<std::uint8_t>{0, 1, 1});
    QCOMPARE(first.X(), 127);

    auto firstWindow = NewWindow(QSize(100, 100));
    first.SubclassWindow(firstWindow.get());
    QVERIFY(m_Fake->Registered() == &first);
    auto secondWindow = NewWindow(QSize(100, 100));
    second.SubclassWindow(secondWindow.get());
    QVERIFY(m_Fake->Registered() == &second);

    firstWindow.reset();
    QVERIFY(m_Fake->Registered() == &second);
    secondWindow.reset();
    QVERIFY(m_Fake->Registered() == nullptr);
    QVERIFY(!m_Fake->Move(9, 9));
    QCOMPARE(second.X(), 127);
  }

  void unregisterEndsWhicheverRegistration() {
    auto window = NewWindow(QSize(100, 100));
    CJoyThreshBox first;
    CJoyThreshBox second;
    first.SubclassWindow(window.get());
    second.UnregisterJoystickInput();
    QVERIFY(m_Fake->Registered() == nullptr);
  }

  void destroyedControlEndsItsRegistration() {
    auto window = NewWindow(QSize(100, 100));
    {
      CJoyThreshBox box;
      box.SubclassWindow(window.get());
      QVERIFY(m_Fake->Registered() == &box);
    }
    QVERIFY(m_Fake->Registered() == nullptr);
    window->grab();  // the window outlives the control without painting through it
  }
};

QTEST_MAIN(JoyThreshBoxTest)
#include "JoyThreshBoxTest.moc"
