#pragma once
// Runs the real main window over virtual boards, with every message and file
// dialog answered by the test, and drives modal windows from inside their
// own loops through the toolkit's driver.

#include <functional>
#include <string>
#include <vector>

#include "Driver.h"
#include "device/DeviceLink.h"
#include "device/HidPlatform.h"
#include "device/NoBoardsHint.h"
#include "sim/SimPlatform.h"
#include "ui/ConfigMainDialog.h"

namespace qor::test {

struct ShownMessage {
  std::string Text;
  bool BoardControlsEnabled;  // "Save Settings" at the moment the box is up
  bool WaitCursor;            // the wait cursor is up behind the box
};

class WindowHarness {
 public:
  // The window runs over `Platform` below, the simulated boards.
  WindowHarness();
  // The window runs over `boards`, e.g. this machine's own.
  explicit WindowHarness(HidPlatform& boards);
  ~WindowHarness();
  WindowHarness(const WindowHarness&) = delete;
  WindowHarness& operator=(const WindowHarness&) = delete;

  sim::SimPlatform Platform;
  std::vector<ShownMessage> Messages;
  // What the window is told when a scan opens no board; none by default.
  NoBoardsHint* Hint = nullptr;

  // Opens the main window, runs `body` inside its modal loop, then ends it
  // with "Done" unless the body ended it. False when the body never ran.
  bool Run(const std::function<void(ui::CConfigMainDialog&)>& body);

  std::vector<std::string> MessageTexts() const;
  std::vector<std::string> TakeLog();

 private:
  HidPlatform& m_Boards;
  ui::CConfigMainDialog* m_Dialog = nullptr;
};

// Clicks `button` of the main window and runs `body` inside the setup dialog
// it opens, which is then cancelled; false when the dialog never came up.
bool OpenAndDrive(ui::CConfigMainDialog& main, int button, ui::CDialog& setup, const std::function<void()>& body);

// An image with the given bytes set and every other byte 0.
SettingsReport Image(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes);

// A realistic settings image: every field set, different per seed.
SettingsReport SampleSettings(std::uint8_t seed);

}  // namespace qor::test
