#pragma once
// Runs the real main window over virtual boards, with every message caught,
// and drives modal windows from inside their own loops.

#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <functional>

#include "device/DeviceLink.h"
#include "device/HidPlatform.h"
#include "sim/SimPlatform.h"
#include "ui/ConfigMainDialog.h"

namespace qor::test {

struct ShownMessage {
  QString Text;
  bool BoardControlsEnabled;  // "Save Settings" at the moment the box is up
  bool WaitCursor;            // the wait cursor is up behind the box
};

class WindowHarness {
 public:
  // The window runs over `platform` below, the simulated boards.
  WindowHarness();
  // The window runs over `boards`, e.g. this machine's own.
  explicit WindowHarness(HidPlatform& boards);
  ~WindowHarness();
  WindowHarness(const WindowHarness&) = delete;
  WindowHarness& operator=(const WindowHarness&) = delete;

  sim::SimPlatform Platform;
  std::vector<ShownMessage> Messages;
  // What the window is given to explain boards it may not open; none by default.
  BoardProbe* Probe = nullptr;
  InstalledRules Rules{};

  // Opens the main window, runs `body` inside its modal loop, then ends it
  // with "Done" unless the body ended it. False when the body never ran.
  bool Run(const std::function<void(ui::CConfigMainDialog&)>& body);

  QStringList MessageTexts() const;
  std::vector<std::string> TakeLog();

 private:
  HidPlatform& m_Boards;
  ui::CConfigMainDialog* m_Dialog = nullptr;
};

// The main window's controls as a person uses them.
QComboBox* List(ui::CConfigMainDialog& dialog, int id);
QPushButton* Button(ui::CConfigMainDialog& dialog, int id);
void Click(ui::CConfigMainDialog& dialog, int id);
// A user's choice of the next entry, as the arrow key makes it.
void ChooseNext(ui::CConfigMainDialog& dialog, int id);
QStringList Entries(QComboBox* list);

// Runs `open`, which runs `dialog` modally, and `body` inside that modal loop
// once the dialog's window is up, the active modal window and active. A body
// that leaves the window open has it ended with `leftOpen`. False when the
// window never came up, so a test can fail instead of driving nothing.
bool DriveModal(ui::CDialog& dialog, const std::function<void()>& open, const std::function<void(QDialog&)>& body,
                int leftOpen);

// Clicks `button` of the main window and runs `body` inside the setup dialog
// it opens, which is then cancelled; false when the dialog never came up.
bool OpenAndDrive(ui::CConfigMainDialog& main, int button, ui::CDialog& setup, const std::function<void()>& body);

// Runs `action` with the modal window once one is up, other than `below`.
void WhenModal(std::function<void(QWidget*)> action, QWidget* below = nullptr);

// An image with the given bytes set and every other byte 0.
SettingsReport Image(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes);

// A realistic settings image: every field set, different per seed.
SettingsReport SampleSettings(std::uint8_t seed);

}  // namespace qor::test
