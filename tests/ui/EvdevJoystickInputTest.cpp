// The evdev reader on this machine: nodes that aren't readable joysticks are
// skipped without a word. Its cases with virtual joysticks need uinput and run
// in the kernel guest (tests/kernel/guest/JoystickReaderTest.cpp); here,
// scripted joysticks show how it closes devices from within a read.

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "device/linux/Owned.h"
#include "ui/joystick/EvdevJoystickInput.h"
#include "ui/joystick/JoystickDevice.h"

using namespace qor::joystick;

namespace {

class Recorder : public JoystickSink {
 public:
  std::vector<std::vector<std::uint8_t>> reports;
  void OnJoystickReport(std::span<const std::uint8_t> report) override { reports.emplace_back(report.begin(), report.end()); }
};

// Records each report as "X Y" and then runs the test's reaction to it.
class ReactingSink : public JoystickSink {
 public:
  QStringList reports;
  std::function<void()> react = [] {};
  void OnJoystickReport(std::span<const std::uint8_t> report) override {
    reports << QStringLiteral("%1 %2").arg(report[1]).arg(report[2]);
    react();
  }
};

// What a scripted joystick reads, and whether it has been closed. A pipe
// stands in for the event node: a byte written to it wakes the reader.
struct Script {
  std::deque<InputEvent> events;
  bool failsAtEnd = false;
  bool closed = false;
  qor::UniqueFd readEnd, writeEnd;

  Script() {
    int ends[2];
    if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0) {
      readEnd.Reset(ends[0]);
      writeEnd.Reset(ends[1]);
    }
  }
  // One frame per X value: the stick moves, then SYN_REPORT closes the frame.
  void Frames(std::initializer_list<int> xs) {
    for (const int x : xs) {
      events.push_back({EV_ABS, ABS_X, x});
      events.push_back({EV_SYN, SYN_REPORT, 0});
    }
  }
  bool Wake() const { return write(writeEnd.Get(), "!", 1) == 1; }
};

class ScriptedJoystick final : public JoystickDevice {
 public:
  explicit ScriptedJoystick(Script& script) : JoystickDevice(JoystickFrames({0, 255}, {0, 255}, 127, 127)), script_(script) {}
  ~ScriptedJoystick() override { script_.closed = true; }

  int Descriptor() const override { return script_.readEnd.Get(); }
  NextStatus Next(bool, InputEvent& event) override {
    if (script_.events.empty()) {
      char wake;
      while (read(script_.readEnd.Get(), &wake, 1) == 1) {
      }
      return script_.failsAtEnd ? NextStatus::Failed : NextStatus::Empty;
    }
    event = script_.events.front();
    script_.events.pop_front();
    return NextStatus::Event;
  }

 private:
  Script& script_;
};

// Opens the scripted joysticks by name; this machine's nodes are left alone.
JoystickOpener Scripted(std::map<std::string, Script>& scripts) {
  return [&scripts](const std::string& node) -> std::unique_ptr<JoystickDevice> {
    const auto found = scripts.find(node);
    if (found == scripts.end()) return nullptr;
    return std::make_unique<ScriptedJoystick>(found->second);
  };
}

// Runs the event loop until `done`, a bounded number of rounds.
bool ProcessEventsUntil(const std::function<bool()>& done) {
  for (int round = 0; round < 100 && !done(); ++round) QCoreApplication::processEvents();
  return done();
}

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

  // The control ends the registration from its handler: every device closes,
  // but the one being read only once its read has returned, and nothing more
  // reaches the control.
  void unregisteringFromAReportClosesOnlyAfterTheRead() {
    std::map<std::string, Script> scripts;
    scripts["a"].Frames({10, 20, 30});
    scripts["b"].Frames({40});
    EvdevJoystickInput input(Scripted(scripts));
    ReactingSink sink;
    bool readOpenInHandler = false;
    sink.react = [&] {
      input.Unregister();
      readOpenInHandler = !scripts["a"].closed;
    };
    input.Register(&sink);
    QVERIFY(input.AddNode("a") && input.AddNode("b"));
    QVERIFY(input.OpenNodes() == (std::vector<std::string>{"a", "b"}));

    QVERIFY(scripts["a"].Wake());
    QVERIFY(ProcessEventsUntil([&] { return scripts["a"].closed; }));
    QCOMPARE(sink.reports, QStringList{"10 127"});
    QVERIFY2(readOpenInHandler, "the device being read stays open until its read returns");
    QVERIFY(scripts["b"].closed);
    QVERIFY(input.OpenNodes().empty());
    QVERIFY(input.Registered() == nullptr);
  }

  // A device that fails in its read (unplugged) hands over the frames it had,
  // then leaves.
  void failingDeviceLeavesAfterItsReports() {
    std::map<std::string, Script> scripts;
    scripts["a"].Frames({10, 20});
    scripts["a"].failsAtEnd = true;
    scripts["b"];
    EvdevJoystickInput input(Scripted(scripts));
    ReactingSink sink;
    input.Register(&sink);
    QVERIFY(input.AddNode("a") && input.AddNode("b"));
    QSignalSpy changes(&input, &EvdevJoystickInput::NodesChanged);

    QVERIFY(scripts["a"].Wake());
    QVERIFY(ProcessEventsUntil([&] { return scripts["a"].closed; }));
    QCOMPARE(sink.reports, (QStringList{"10 127", "20 127"}));
    QVERIFY(input.OpenNodes() == std::vector<std::string>{"b"});
    QCOMPARE(changes.count(), 1);
    QVERIFY(!scripts["b"].closed);
  }

  // A registration made from a handler takes the rest of the read; the
  // devices stay open.
  void registrationChangedFromAReportTakesTheRestOfTheRead() {
    std::map<std::string, Script> scripts;
    scripts["a"].Frames({10, 20, 30});
    EvdevJoystickInput input(Scripted(scripts));
    ReactingSink first;
    ReactingSink second;
    first.react = [&] { input.Register(&second); };
    input.Register(&first);
    QVERIFY(input.AddNode("a"));

    QVERIFY(scripts["a"].Wake());
    QVERIFY(ProcessEventsUntil([&] { return second.reports.size() == 2; }));
    QCOMPARE(first.reports, QStringList{"10 127"});
    QCOMPARE(second.reports, (QStringList{"20 127", "30 127"}));
    QVERIFY(!scripts["a"].closed);
    QVERIFY(input.OpenNodes() == std::vector<std::string>{"a"});
  }
};

QTEST_GUILESS_MAIN(EvdevJoystickInputTest)
#include "EvdevJoystickInputTest.moc"
