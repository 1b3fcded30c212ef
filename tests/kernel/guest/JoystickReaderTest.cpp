// The evdev joystick reader on a real kernel, fed by uinput joysticks: the
// stick's path arrives scaled to 0..255 frame by frame, joysticks plugged in
// while the reader runs join it, and other devices are left alone.

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

#include <QProcess>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <vector>

#include "tools/virtual-joystick/UinputJoystick.h"
#include "ui/joystick/EvdevJoystickInput.h"

using namespace qor::joystick;
using qor::virtualjoystick::AxisRange;
using qor::virtualjoystick::ParsePath;
using qor::virtualjoystick::PathStep;
using qor::virtualjoystick::UinputJoystick;

Q_DECLARE_METATYPE(AxisRange)

namespace {

// Every report as "X Y"; byte 0, the report ID, must be 0.
class Recorder : public JoystickSink {
 public:
  QStringList Reports;
  void OnJoystickReport(std::span<const std::uint8_t> report) override {
    Reports << (report.size() == 3 && report[0] == 0 ? QStringLiteral("%1 %2").arg(report[1]).arg(report[2])
                                                     : QStringLiteral("malformed"));
  }
};

std::unique_ptr<UinputJoystick> CreateJoystick(AxisRange x, AxisRange y) {
  std::string error;
  auto joystick = UinputJoystick::Create(x, y, error);
  if (!joystick) qWarning("%s", error.c_str());
  return joystick;
}

std::vector<PathStep> Path(const QString& text) {
  return ParsePath(text.toStdString()).value_or(std::vector<PathStep>{});
}

bool IsOpen(const EvdevJoystickInput& input, const std::string& node) {
  const auto nodes = input.OpenNodes();
  return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}

// A uinput device with absolute X and Y but no button: a tablet or an
// accelerometer as far as the reader can tell.
struct ButtonlessDevice {
  libevdev* Device = libevdev_new();
  libevdev_uinput* Uinput = nullptr;
  ButtonlessDevice() {
    input_absinfo axis{};
    axis.maximum = 1023;
    libevdev_set_name(Device, "QOR Config test tablet");
    libevdev_enable_event_code(Device, EV_ABS, ABS_X, &axis);
    libevdev_enable_event_code(Device, EV_ABS, ABS_Y, &axis);
    libevdev_uinput_create_from_device(Device, LIBEVDEV_UINPUT_OPEN_MANAGED, &Uinput);
  }
  ~ButtonlessDevice() {
    if (Uinput) libevdev_uinput_destroy(Uinput);
    libevdev_free(Device);
  }
};

}  // namespace

class JoystickReaderTest : public QObject {
  Q_OBJECT

 private slots:
  // The stick rests at the centre of its ranges before the first step. Each
  // step is one frame; the kernel drops a frame in which nothing changed,
  // and a trigger press alone repeats the position.
  void pathArrivesScaledFrameByFrame_data() {
    QTest::addColumn<AxisRange>("x");
    QTest::addColumn<AxisRange>("y");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("reports");
    QTest::newRow("0..1023") << AxisRange{0, 1023} << AxisRange{0, 1023}
                             << "0,0;1023,1023;1023,1023,1;512,256;1000,4;1000,4;511,511"
                             << QStringList{"0 0", "255 255", "255 255", "127 63", "249 0", "127 127"};
    QTest::newRow("-32768..32767") << AxisRange{-32768, 32767} << AxisRange{-32768, 32767}
                                   << "-32768,32767;16384,-16384;-1,1;32767,-32768"
                                   << QStringList{"0 255", "191 63", "127 127", "255 0"};
    QTest::newRow("0..255 passes unchanged")
        << AxisRange{0, 255} << AxisRange{0, 255} << "0,255;1,254;127,128;200,17;255,0"
        << QStringList{"0 255", "1 254", "127 128", "200 17", "255 0"};
    QTest::newRow("each axis its own range") << AxisRange{0, 1023} << AxisRange{-512, 511} << "1023,-512;0,511;0,0"
                                             << QStringList{"255 0", "0 255", "0 127"};
  }

  void pathArrivesScaledFrameByFrame() {
    QFETCH(AxisRange, x);
    QFETCH(AxisRange, y);
    QFETCH(QString, path);
    QFETCH(QStringList, reports);
    const std::vector<PathStep> steps = Path(path);
    QVERIFY(!steps.empty());
    const auto joystick = CreateJoystick(x, y);
    QVERIFY2(joystick, "uinput refused the joystick");
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    QVERIFY2(IsOpen(input, joystick->Node()), "a joystick present at registration is read");
    for (const PathStep& step : steps) QVERIFY(joystick->Step(step));
    QTRY_COMPARE(recorder.Reports, reports);
    // Nothing more trickles in.
    QTest::qWait(200);
    QCOMPARE(recorder.Reports, reports);
  }

  // Plugged in while registered: it joins, its frames arrive, and unplugged
  // it leaves.
  void joystickCreatedAfterTheReaderStartedJoins() {
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    auto joystick = CreateJoystick({0, 1023}, {-512, 511});
    QVERIFY2(joystick, "uinput refused the joystick");
    const std::string node = joystick->Node();
    QTRY_VERIFY(IsOpen(input, node));
    for (const PathStep& step : Path("1023,-512;1023,-512,1;0,511")) QVERIFY(joystick->Step(step));
    QTRY_COMPARE(recorder.Reports, (QStringList{"255 0", "255 0", "0 255"}));

    const auto second = CreateJoystick({0, 255}, {0, 255});
    QVERIFY(second);
    QTRY_VERIFY(IsOpen(input, second->Node()));
    // Each device is read on its own, so frames of two are ordered only by time.
    QVERIFY(second->Step({10, 20}));
    QTRY_COMPARE(recorder.Reports.mid(3), QStringList{"10 20"});
    QVERIFY(joystick->Step({1023, 511}));
    QTRY_COMPARE(recorder.Reports.mid(3), (QStringList{"10 20", "255 255"}));

    joystick.reset();
    QTRY_VERIFY(!IsOpen(input, node));
    QVERIFY(IsOpen(input, second->Node()));
  }

  // A joystick plugged in while nobody is registered is found at the next registration.
  void registrationAfterThePlugFindsIt() {
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    input.Unregister();
    const auto joystick = CreateJoystick({0, 255}, {0, 255});
    QVERIFY(joystick);
    QCoreApplication::processEvents();
    QVERIFY(input.OpenNodes().empty());
    input.Register(&recorder);
    QVERIFY(IsOpen(input, joystick->Node()));
    QVERIFY(joystick->Step({3, 4}));
    QTRY_COMPARE(recorder.Reports, QStringList{"3 4"});
  }

  void deviceWithoutJoystickButtonsIsLeftAlone() {
    ButtonlessDevice tablet;
    QVERIFY2(tablet.Uinput, "uinput refused the device");
    const std::string node = libevdev_uinput_get_devnode(tablet.Uinput);
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    QVERIFY(!IsOpen(input, node));
    QVERIFY(!input.AddNode(node));
    QVERIFY(input.OpenNodes().empty());
  }

  // More frames than the kernel buffers: the early Y change is dropped with
  // the rest, and only the resync brings it back.
  void overflowResyncsToTheLastPosition() {
    const auto joystick = CreateJoystick({0, 1023}, {-512, 511});
    QVERIFY2(joystick, "uinput refused the joystick");
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    QVERIFY(IsOpen(input, joystick->Node()));
    constexpr int Frames = 400;
    for (int frame = 1; frame <= Frames; ++frame) QVERIFY(joystick->Step({frame % 2 ? 0 : 1023, 511}));
    QTRY_VERIFY(!recorder.Reports.isEmpty() && recorder.Reports.back() == QStringLiteral("255 255"));
    QVERIFY(recorder.Reports.size() < Frames);
  }

  // qor-virtual-joystick itself, as a person runs it beside the program.
  void theProgramsPathReachesTheReader() {
    EvdevJoystickInput input;
    Recorder recorder;
    input.Register(&recorder);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString path = qEnvironmentVariable("QOR_VIRTUAL_JOYSTICK", QStringLiteral("qor-virtual-joystick"));
    program.start(path, {"--range", "-32768..32767", "--interval", "300", "--path", "-32768,-32768;32767,0,1;0,32767"});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    QTRY_VERIFY(program.canReadLine());
    const QByteArray device = program.readLine().trimmed();
    QVERIFY2(device.startsWith("device /dev/input/event"), device.constData());
    const std::string node = device.mid(7).toStdString();
    QTRY_VERIFY(IsOpen(input, node));
    QByteArray output;
    QTRY_VERIFY_WITH_TIMEOUT((output += program.readAll()).contains("done"), 10000);
    QTRY_COMPARE(recorder.Reports, (QStringList{"0 0", "255 127", "127 255"}));

    program.terminate();
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QTRY_VERIFY(!IsOpen(input, node));
  }
};

QTEST_GUILESS_MAIN(JoystickReaderTest)
#include "JoystickReaderTest.moc"
