// The evdev reader on this machine: nodes that aren't readable joysticks are
// skipped without a word. Its cases with virtual joysticks need uinput and run
// in the kernel guest (tests/kernel/guest/JoystickReaderTest.cpp); here,
// scripted joysticks show how it closes devices from within a read.

#include "ui/joystick/EvdevJoystickInput.h"

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "settings/posix/UniqueFd.h"
#include "ui/joystick/JoystickDevice.h"

using namespace qor::joystick;

namespace {

class Recorder : public JoystickSink {
 public:
  std::vector<std::vector<std::uint8_t>> Reports;
  void OnJoystickReport(std::span<const std::uint8_t> report) override {
    Reports.emplace_back(report.begin(), report.end());
  }
};

// Records each report as "X Y" and then runs the test's reaction to it.
class ReactingSink : public JoystickSink {
 public:
  QStringList Reports;
  std::function<void()> React = [] {};
  void OnJoystickReport(std::span<const std::uint8_t> report) override {
    Reports << QStringLiteral("%1 %2").arg(report[1]).arg(report[2]);
    React();
  }
};

// What a scripted joystick reads, and whether it has been closed. A pipe
// stands in for the event node: a byte written to it wakes the reader.
struct Script {
  std::deque<InputEvent> Events;
  bool FailsAtEnd = false;
  bool Closed = false;
  qor::UniqueFd ReadEnd, WriteEnd;

  Script() {
    int ends[2];
    if (pipe2(ends, O_NONBLOCK | O_CLOEXEC) == 0) {
      ReadEnd.Reset(ends[0]);
      WriteEnd.Reset(ends[1]);
    }
  }
  // One frame per X value: the stick moves, then SYN_REPORT closes the frame.
  void Frames(std::initializer_list<int> xs) {
    for (const int x : xs) {
      Events.push_back({EV_ABS, ABS_X, x});
      Events.push_back({EV_SYN, SYN_REPORT, 0});
    }
  }
  bool Wake() const { return write(WriteEnd.Get(), "!", 1) == 1; }
};

class ScriptedJoystick final : public JoystickDevice {
 public:
  explicit ScriptedJoystick(Script& script)
      : JoystickDevice(JoystickFrames({0, 255}, {0, 255}, 127, 127)), m_Script(script) {}
  ~ScriptedJoystick() override { m_Script.Closed = true; }

  int Descriptor() const override { return m_Script.ReadEnd.Get(); }
  NextStatus Next(bool, InputEvent& event) override {
    if (m_Script.Events.empty()) {
      char wake;
      while (read(m_Script.ReadEnd.Get(), &wake, 1) == 1) {
      }
      return m_Script.FailsAtEnd ? NextStatus::Failed : NextStatus::Empty;
    }
    event = m_Script.Events.front();
    m_Script.Events.pop_front();
    return NextStatus::Event;
  }

 private:
  Script& m_Script;
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
    sink.React = [&] {
      input.Unregister();
      readOpenInHandler = !scripts["a"].Closed;
    };
    input.Register(&sink);
    QVERIFY(input.AddNode("a") && input.AddNode("b"));
    QVERIFY(input.OpenNodes() == (std::vector<std::string>{"a", "b"}));

    QVERIFY(scripts["a"].Wake());
    QVERIFY(ProcessEventsUntil([&] { return scripts["a"].Closed; }));
    QCOMPARE(sink.Reports, QStringList{"10 127"});
    QVERIFY2(readOpenInHandler, "the device being read stays open until its read returns");
    QVERIFY(scripts["b"].Closed);
    QVERIFY(input.OpenNodes().empty());
    QVERIFY(input.Registered() == nullptr);
  }

  // A device that fails in its read (unplugged) hands over the frames it had,
  // then leaves.
  void failingDeviceLeavesAfterItsReports() {
    std::map<std::string, Script> scripts;
    scripts["a"].Frames({10, 20});
    scripts["a"].FailsAtEnd = true;
    scripts["b"];
    EvdevJoystickInput input(Scripted(scripts));
    ReactingSink sink;
    input.Register(&sink);
    QVERIFY(input.AddNode("a") && input.AddNode("b"));
    QSignalSpy changes(&input, &EvdevJoystickInput::NodesChanged);

    QVERIFY(scripts["a"].Wake());
    QVERIFY(ProcessEventsUntil([&] { return scripts["a"].Closed; }));
    QCOMPARE(sink.Reports, (QStringList{"10 127", "20 127"}));
    QVERIFY(input.OpenNodes() == std::vector<std::string>{"b"});
    QCOMPARE(changes.count(), 1);
    QVERIFY(!scripts["b"].Closed);
  }

  // A registration made from a handler takes the rest of the read; the
  // devices stay open.
  void registrationChangedFromAReportTakesTheRestOfTheRead() {
    std::map<std::string, Script> scripts;
    scripts["a"].Frames({10, 20, 30});
    EvdevJoystickInput input(Scripted(scripts));
    ReactingSink first;
    ReactingSink second;
    first.React = [&] { input.Register(&second); };
    input.Register(&first);
    QVERIFY(input.AddNode("a"));

    QVERIFY(scripts["a"].Wake());
    QVERIFY(ProcessEventsUntil([&] { return second.Reports.size() == 2; }));
    QCOMPARE(first.Reports, QStringList{"10 127"});
    QCOMPARE(second.Reports, (QStringList{"20 127", "30 127"}));
    QVERIFY(!scripts["a"].Closed);
    QVERIFY(input.OpenNodes() == std::vector<std::string>{"a"});
  }
};

QTEST_GUILESS_MAIN(EvdevJoystickInputTest)
#include "EvdevJoystickInputTest.moc"
