#pragma once
// The application object: runs the main window over a HID platform.

#include "device/HidPlatform.h"
#include "device/NoBoardsHint.h"

namespace qor::ui {

class CConfigApp {
 public:
  // `noBoardsHint`: what the platform adds when a scan opens no board.
  explicit CConfigApp(HidPlatform& platform, NoBoardsHint* noBoardsHint = nullptr)
      : m_Platform(platform), m_NoBoardsHint(noBoardsHint) {}

  // Runs the main window modally; false: the program ends afterwards.
  bool InitInstance();

 private:
  HidPlatform& m_Platform;
  NoBoardsHint* m_NoBoardsHint;
};

}  // namespace qor::ui
