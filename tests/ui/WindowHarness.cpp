#include "WindowHarness.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "settings/KeyCodeTable.h"
#include "ui/framework/MessageBox.h"

namespace qor::test {

WindowHarness::WindowHarness() : WindowHarness(platform) {}

WindowHarness::WindowHarness(HidPlatform& boards) : boards_(boards) {
  ui::SetMessageHook([this](const QString& text, QWidget*) {
    const QPushButton* save =
        dialog_ && dialog_->Window() ? dialog_->DlgItem<QPushButton>(res::IDC_SAVE_SETTINGS) : nullptr;
    const QCursor* cursor = QApplication::overrideCursor();
    messages.push_back({text, save && save->isEnabled(), cursor && cursor->shape() == Qt::WaitCursor});
  });
}

WindowHarness::~WindowHarness() { ui::SetMessageHook({}); }

bool WindowHarness::Run(const std::function<void(ui::CConfigMainDialog&)>& body) {
  DeviceLink link(boards_);
  ui::CConfigMainDialog dialog(link, probe, rules);
  dialog_ = &dialog;
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
  dialog_ = nullptr;
  return ran;
}

QStringList WindowHarness::MessageTexts() const {
  QStringList texts;
  for (const ShownMessage& message : messages) texts << message.text;
  return texts;
}

std::vector<std::string> WindowHarness::TakeLog() {
  std::vector<std::string> lines = platform.LogLines();
  platform.ClearLog();
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
  image[ReportOffset::BoardId] = seed % BoardIdCount;
  image[ReportOffset::Mode] = seed % ModeCount;
  image[ReportOffset::AnalogInputs] = static_cast<std::uint8_t>(0x15 + seed);
  image[ReportOffset::Reserved] = static_cast<std::uint8_t>(0xA0 + seed);
  image[ReportOffset::JoyMouse] = static_cast<std::uint8_t>(0x80 + 1 + seed % 32);
  for (std::size_t i = 0; i < 8; ++i)
    image[ReportOffset::JoyMouseDeadZone + i] = static_cast<std::uint8_t>(10 * (i + 1) + seed);
  for (std::size_t i = 0; i < KeyStickKeyCount; ++i)
    image[ReportOffset::KeyStickKeys + i] = KeyCodeTable::CodeAt(static_cast<int>((seed * 7 + i * 5) % KeyCodeTable::Count));
  return image;
}

}  // namespace qor::test
