#pragma once
// The application object: runs the main window over a HID platform.

#include <utility>

#include "device/AccessAdvice.h"
#include "device/BoardProbe.h"
#include "device/HidPlatform.h"

namespace qor::ui {

class CConfigApp {
 public:
  explicit CConfigApp(HidPlatform& platform, BoardProbe* probe = nullptr, InstalledRules rules = {})
      : m_Platform(platform), m_Probe(probe), m_Rules(std::move(rules)) {}

  // Runs the main window modally; false: the program ends afterwards.
  bool InitInstance();

 private:
  HidPlatform& m_Platform;
  BoardProbe* m_Probe;
  InstalledRules m_Rules;
};

}  // namespace qor::ui
