#include "WindowHarness.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "settings/KeyCodeTable.h"
#include "ui/framework/MessageBox.h"

namespace qor::test {

WindowHarness::WindowHarness() : WindowHarness(Platform) {}

WindowHarness::WindowHarness(HidPlatform& boards) : m_Boards(boards) {
  ui::SetMessageHook([this](const QString& text, QWidget*) {
    const QPushButton* save =
        m_Dialog && m_Dialog->Window() ? m_Dialog->DlgItem<QPushButton>(res::IDC_SAVE_SETTINGS) : nullptr;
    const QCursor* cursor = QApplication::overrideCursor();
    Messages.push_back({text, save && save->isEnabled(), cursor && cursor->shape() == Qt::WaitCursor});
  });
}

WindowHarness::~WindowHarness() { ui::SetMessageHook({}); }

bool WindowHarness::Run(const std::function<void(ui::CConfigMainDialog&)>& body) {
  DeviceLink link(m_Boards);
  ui::CConfigMainDialog dialog(link, Probe, Rules);
  m_Dialog = &dialog;
  bool ran = false;
  WhenModal([&](QWidget* window) {
    // Key presses go where a person's would: to the focus of the active window.
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) qWarning("the main window never became active");
    ran = true;
    body(dialog);
    if (dialog.Window() && dialog.Window()->isVisible()) dialog.EndDialog(res::IDOK);
  });
  dialog.DoModal();
  m_Dialog = nullptr;
  return ran;
}

QStringList WindowHarness::MessageTexts() const {
  QStringList texts;
  for (const ShownMessage& message : Messages) texts << message.Text;
  return texts;
}

std::vector<std::string> WindowHarness::TakeLog() {
  std::vector<std::string> lines = Platform.LogLines();
  Platform.ClearLog();
  return lines;
}

QComboBox* List(ui::CConfigMainDialog& dialog, int id) { return dialog.DlgItem<QComboBox>(id); }
QPushButton* Button(ui::CConfigMainDialog& dialog, int id) { return dialog.DlgItem<QPushButton>(id); }
void Click(ui::CConfigMainDialog& dialog, int id) { QTest::mouseClick(Button(dialog, id), Qt::LeftButton); }
void ChooseNext(ui::CConfigMainDialog& dialog, int id) { QTest::keyClick(List(dialog, id), Qt::Key_Down); }

QStringList Entries(QComboBox* list) {
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
  return entries;
}

bool DriveModal(ui::CDialog& dialog, const std::function<void()>& open, const std::function<void(QDialog&)>& body,
                int leftOpen) {
  bool ran = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QDialog* window = dialog.Window();
    if (!window || !window->isVisible() || QApplication::activeModalWidget() != window) return;
    poll.stop();
    ran = true;
    window->activateWindow();
    if (QTest::qWaitForWindowActive(window)) body(*window);
    if (dialog.Window() && dialog.Window()->isVisible()) dialog.EndDialog(leftOpen);
  });
  poll.start(0);
  open();
  poll.stop();
  return ran;
}

bool OpenAndDrive(ui::CConfigMainDialog& main, int button, ui::CDialog& setup, const std::function<void()>& body) {
  return DriveModal(
      setup, [&] { Click(main, button); }, [&](QDialog&) { body(); }, res::IDCANCEL);
}

void WhenModal(std::function<void(QWidget*)> action, QWidget* below) {
  QTimer::singleShot(0, [action, below] {
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != below && modal->isVisible())
      action(modal);
    else
      WhenModal(action, below);
  });
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
