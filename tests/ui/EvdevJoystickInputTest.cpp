// The evdev reader on this machine: nodes that aren't readable joysticks are
// skipped without a word. Its cases with virtual joysticks need uinput and run
// in the kernel guest (tests/kernel/guest/JoystickReaderTest.cpp).

#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>
#include <vector>

#include "ui/joystick/EvdevJoystickInput.h"

using namespace qor::joystick;

namespace {

class Recorder : public JoystickSink {
 public:
  std::vector<std::vector<std::uint8_t>> reports;
  void OnJoystickReport(std::span<const std::uint8_t> report) override { reports.emplace_back(report.begin(), report.end()); }
};

// What a call writes to the standard error stream.
QByteArray StandardErrorOf(const std::function<void()>& call) {
  QTemporaryDir folder;
  const QByteArray path = folder.filePath(QStringLiteral("stderr")).toLocal8Bit();
  fflush(stderr);
  const int saved = dup(STDERR_FILENO);
  const int file = open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(file, STDERR_FILENO);
  call();
  fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  close(file);
  QFile written(QString::fromLocal8Bit(path));
  return written.open(QIODevice::ReadOnly) ? written.readAll() : QByteArray("unreadable");
}

}  // namespace

class EvdevJoystickInputTest : public QObject {
  Q_OBJECT

 private slots:
  void skipsWhatIsNotAReadableJoystick_data() {
    QTest::addColumn<QString>("node");
    QTest::newRow("missing") << "/dev/input/event-none";
    QTest::newRow("folder") << "/";
    QTest::newRow("not an input device") << "/dev/null";
    QTest::newRow("regular file") << QCoreApplication::applicationFilePath();
  }

  void skipsWhatIsNotAReadableJoystick() {
    QFETCH(QString, node);
    EvdevJoystickInput input;
    bool added = true;
    QCOMPARE(StandardErrorOf([&] { added = input.AddNode(node.toStdString()); }), QByteArray());
    QVERIFY(!added);
    QVERIFY(input.OpenNodes().empty());
  }

  void registrationOpensAndClosesTheDevices() {
    EvdevJoystickInput input;
    Recorder first;
    Recorder second;
    input.Register(&first);
    input.Register(&second);
    QVERIFY(input.Registered() == &second);
    input.Unregister();
    QVERIFY(input.Registered() == nullptr);
    QVERIFY(input.OpenNodes().empty());
  }
};

QTEST_GUILESS_MAIN(EvdevJoystickInputTest)
#include "EvdevJoystickInputTest.moc"
