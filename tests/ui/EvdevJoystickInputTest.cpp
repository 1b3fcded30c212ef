// The evdev reader on this machine: nodes that aren't readable joysticks are
// skipped without a word, and where uinput is at hand (a real kernel, as in
// the guest tests) a virtual joystick's frames arrive scaled to 0..255.

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <algorithm>
#include <QtTest>
#include <memory>
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

// A joystick on uinput; null where the kernel offers no uinput.
struct VirtualJoystick {
  libevdev* device = nullptr;
  libevdev_uinput* uinput = nullptr;
  ~VirtualJoystick() {
    if (uinput) libevdev_uinput_destroy(uinput);
    if (device) libevdev_free(device);
  }
  void Emit(unsigned type, unsigned code, int value) { libevdev_uinput_write_event(uinput, type, code, value); }
};

// A device on uinput with absolute X (0..1023) and Y (-512..511), and the
// given button if any; null where the kernel offers no uinput.
std::unique_ptr<VirtualJoystick> CreateVirtualDevice(int button) {
  auto joystick = std::make_unique<VirtualJoystick>();
  joystick->device = libevdev_new();
  libevdev_set_name(joystick->device, "QOR Config test device");
  input_absinfo x{};
  x.minimum = 0;
  x.maximum = 1023;
  input_absinfo y{};
  y.minimum = -512;
  y.maximum = 511;
  libevdev_enable_event_code(joystick->device, EV_ABS, ABS_X, &x);
  libevdev_enable_event_code(joystick->device, EV_ABS, ABS_Y, &y);
  if (button) libevdev_enable_event_code(joystick->device, EV_KEY, button, nullptr);
  if (libevdev_uinput_create_from_device(joystick->device, LIBEVDEV_UINPUT_OPEN_MANAGED, &joystick->uinput) != 0)
    return nullptr;
  return joystick;
}

bool IsOpen(const EvdevJoystickInput& input, const std::string& node) {
  const auto nodes = input.OpenNodes();
  return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
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

  // Plugged in while registered: it joins, its frames arrive scaled, and
  // unplugged it leaves.
  void virtualJoystickJoinsAndReports() {
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    auto joystick = CreateVirtualDevice(BTN_TRIGGER);
    if (!joystick) QSKIP("no uinput on this kernel");
    const std::string node = libevdev_uinput_get_devnode(joystick->uinput);
    QTRY_VERIFY(IsOpen(input, node));
    joystick->Emit(EV_ABS, ABS_X, 1023);
    joystick->Emit(EV_ABS, ABS_Y, -512);
    joystick->Emit(EV_SYN, SYN_REPORT, 0);
    joystick->Emit(EV_KEY, BTN_TRIGGER, 1);
    joystick->Emit(EV_SYN, SYN_REPORT, 0);
    const std::vector<std::vector<std::uint8_t>> expected{{0, 255, 0}, {0, 255, 0}};
    QTRY_COMPARE(recorder.reports, expected);

    joystick.reset();
    QTRY_VERIFY(!IsOpen(input, node));
  }

  void deviceWithoutJoystickButtonsIsLeftAlone() {
    auto device = CreateVirtualDevice(0);
    if (!device) QSKIP("no uinput on this kernel");
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    QVERIFY(!input.AddNode(libevdev_uinput_get_devnode(device->uinput)));
    QVERIFY(!IsOpen(input, libevdev_uinput_get_devnode(device->uinput)));
  }

  // More frames than the kernel buffers: the early Y change is dropped with
  // the rest, and only the resync brings it back.
  void overflowResyncsToTheLastPosition() {
    auto joystick = CreateVirtualDevice(BTN_SOUTH);
    if (!joystick) QSKIP("no uinput on this kernel");
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    QVERIFY(input.AddNode(libevdev_uinput_get_devnode(joystick->uinput)));
    constexpr int kFrames = 400;
    for (int frame = 1; frame <= kFrames; ++frame) {
      if (frame == 1) joystick->Emit(EV_ABS, ABS_Y, 511);
      joystick->Emit(EV_ABS, ABS_X, frame % 2 ? 0 : 1023);
      joystick->Emit(EV_SYN, SYN_REPORT, 0);
    }
    const std::vector<std::uint8_t> last{0, 255, 255};
    QTRY_VERIFY(!recorder.reports.empty() && recorder.reports.back() == last);
    QVERIFY(recorder.reports.size() < std::size_t(kFrames));
  }
};

QTEST_GUILESS_MAIN(EvdevJoystickInputTest)
#include "EvdevJoystickInputTest.moc"
