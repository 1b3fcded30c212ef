// The framework's toolkit services over Win32.

#include <string>

#include "ui/framework/Dialog.h"
#include "ui/framework/Resources.h"
#include "ui/framework/Toolkit.h"
#include "ui/framework/win32/CustomControl.h"
#include "ui/framework/win32/DialogWindow.h"
#include "ui/framework/win32/Text.h"

namespace qor::ui::toolkit {
namespace {

// The executable's file name without its folder and extension.
std::wstring ApplicationName() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD length = 0;
  while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
    path.resize(path.size() * 2);
  path.resize(length);
  std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
  if (const auto dot = name.find_last_of(L'.'); dot != std::wstring::npos) name.resize(dot);
  return name;
}

int waitCount = 0;
HCURSOR cursorBeforeWait = nullptr;
std::string registryKey;

}  // namespace

int RunModal(CDialog& dialog, const res::DialogTemplate& dialogTemplate) {
  win32::RegisterCustomControlClass();
  win32::DialogWindow window(dialog, dialogTemplate);
  return window.Run(GetActiveWindow());
}

void MessageBox(const std::string& text) {
  MessageBoxW(GetActiveWindow(), win32::Wide(text).c_str(), ApplicationName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

std::string GetFileName(FileDialogKind kind) {
  // "QOR Settings Files (*.qos)", then its pattern, each ending in a null.
  std::wstring filter = win32::Wide(ResourceString(res::IDS_SETTINGS_FILE_FILTER));
  filter += L'\0';
  filter += L"*.qos";
  filter += L'\0';
  std::wstring file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = L"qos";
  // Saving asks nothing before an existing file is replaced.
  dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (kind == FileDialogKind::Open) dialog.Flags |= OFN_FILEMUSTEXIST;
  const BOOL chosen = kind == FileDialogKind::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!chosen) return {};
  file.resize(file.find(L'\0'));
  return win32::Utf8(file);
}

void BeginWaitCursor() {
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  if (waitCount++ == 0) cursorBeforeWait = previous;
}

void EndWaitCursor() {
  if (waitCount > 0 && --waitCount == 0) SetCursor(cursorBeforeWait);
}

// The framework keeps the name; nothing is read from or written under it.
void SetRegistryKey(const std::string& name) { registryKey = name; }

}  // namespace qor::ui::toolkit
