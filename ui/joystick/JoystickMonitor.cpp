// Prints the reports the dead-zone preview would get from this machine's
// joysticks, for checking the reader against real or virtual devices:
//   qorconfig-joystick-monitor [--reports N] [--timeout-ms T] [event node ...]
// Prints "open NODE" for each joystick it reads and "report X Y" for each
// frame; ends with 0 after N reports (default 1), with 1 when time runs out.

#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <iostream>
#include <set>

#include "ui/joystick/EvdevJoystickInput.h"

namespace {

class Printer : public qor::joystick::JoystickSink {
 public:
  explicit Printer(int wanted) : m_Wanted(wanted) {}
  void OnJoystickReport(std::span<const std::uint8_t> report) override {
    std::cout << "report " << int(report[1]) << ' ' << int(report[2]) << std::endl;
    if (++m_Count >= m_Wanted) QCoreApplication::exit(0);
  }

 private:
  int m_Wanted;
  int m_Count = 0;
};

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  int reports = 1;
  int timeoutMs = 10000;
  QStringList nodes;
  const QStringList arguments = application.arguments().mid(1);
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--reports") && i + 1 < arguments.size())
      reports = arguments[++i].toInt();
    else if (arguments[i] == QLatin1String("--timeout-ms") && i + 1 < arguments.size())
      timeoutMs = arguments[++i].toInt();
    else
      nodes << arguments[i];
  }

  qor::joystick::EvdevJoystickInput input;
  std::set<std::string> printed;
  QObject::connect(&input, &qor::joystick::EvdevJoystickInput::NodesChanged, [&] {
    for (const std::string& node : input.OpenNodes())
      if (printed.insert(node).second) std::cout << "open " << node << std::endl;
  });
  Printer printer(reports);
  input.Register(&printer);
  for (const QString& node : nodes) input.AddNode(node.toStdString());
  QTimer::singleShot(timeoutMs, [] {
    std::cout << "timeout" << std::endl;
    QCoreApplication::exit(1);
  });
  return application.exec();
}
