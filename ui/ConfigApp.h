#pragma once
// The application object: runs the main window over a HID platform.

#include "device/HidPlatform.h"

namespace qor::ui {

class CConfigApp {
 public:
  explicit CConfigApp(HidPlatform& platform) : platform_(platform) {}

  // Runs the main window modally; false: the program ends afterwards.
  bool InitInstance();

 private:
  HidPlatform& platform_;
};

}  // namespace qor::ui
