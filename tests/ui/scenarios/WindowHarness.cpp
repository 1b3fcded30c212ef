#include "WindowHarness.h"

#include "settings/KeyCodeTable.h"
#include "ui/framework/FileDialogs.h"
#include "ui/framework/MessageBox.h"

namespace qor::test {

WindowHarness::WindowHarness() : WindowHarness(Platform) {}

WindowHarness::WindowHarness(HidPlatform& boards) : m_Boards(boards) {
  ui::SetMessageHook([this](const std::string& text) {
    const bool saveEnabled =
        m_Dialog && m_Dialog->GetHost() && m_Dialog->GetDlgItem(res::IDC_SAVE_SETTINGS).IsWindowEnabled();
    Messages.push_back({text, saveEnabled, TheDriver().WaitCursorShown()});
  });
}

WindowHarness::~WindowHarness() {
  ui::SetMessageHook({});
  ui::SetFileDialogHook({});
}

bool WindowHarness::Run(const std::function<void(ui::CConfigMainDialog&)>& body) {
  DeviceLink link(m_Boards);
  ui::CConfigMainDialog dialog(link, Hint);
  m_Dialog = &dialog;
  const bool ran = TheDriver().DriveModal(
      dialog, [&] { dialog.DoModal(); }, [&] { body(dialog); }, res::IDOK);
  m_Dialog = nullptr;
  return ran;
}

std::vector<std::string> WindowHarness::MessageTexts() const {
  std::vector<std::string> texts;
  for (const ShownMessage& message : Messages) texts.push_back(message.Text);
  return texts;
}

std::vector<std::string> WindowHarness::TakeLog() {
  std::vector<std::string> lines = Platform.LogLines();
  Platform.ClearLog();
  return lines;
}

bool OpenAndDrive(ui::CConfigMainDialog& main, int button, ui::CDialog& setup, const std::function<void()>& body) {
  return TheDriver().DriveModal(
      setup, [&] { TheDriver().Click(main, button); }, body, res::IDCANCEL);
}

SettingsReport Image(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
  SettingsReport image{};
  for (const auto& [offset, value] : bytes) image[offset] = value;
  return image;
}

SettingsReport SampleSettings(std::uint8_t seed) {
  SettingsReport image{};
  image[report_offset::BoardId] = seed % BoardIdCount;
  image[report_offset::Mode] = seed % ModeCount;
  image[report_offset::AnalogInputs] = static_cast<std::uint8_t>(0x15 + seed);
  image[report_offset::Reserved] = static_cast<std::uint8_t>(0xA0 + seed);
  image[report_offset::JoyMouse] = static_cast<std::uint8_t>(0x80 + 1 + seed % 32);
  for (std::size_t i = 0; i < 8; ++i)
    image[report_offset::JoyMouseDeadZone + i] = static_cast<std::uint8_t>(10 * (i + 1) + seed);
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i)
    image[report_offset::KeyStickKeys + i] =
        KeyCodeTable::CodeAt(static_cast<int>((seed * 7 + i * 5) % KeyCodeTable::Count));
  return image;
}

}  // namespace qor::test
