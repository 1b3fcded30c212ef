// Pictures of every window of the program as Windows draws it, to BMP files
// for a person to look at (scripts/screenshots-windows makes PNGs of them at
// 96 and 192 DPI):
//   qorconfig-screenshots.exe [output folder]

#include <cstdio>
#include <functional>
#include <string>

#include "device/DeviceLink.h"
#include "sim/DemoBoards.h"
#include "sim/SimPlatform.h"
#include "ui/AboutDialog.h"
#include "ui/ConfigMainDialog.h"
#include "ui/SetupDialogs.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/win32/ApplicationStart.h"
#include "ui/framework/win32/DialogWindow.h"
#include "ui/joystick/FakeJoystickInput.h"

namespace {

using namespace qor;
using namespace qor::ui;

std::string outputFolder = ".";

// The window with its frame, as the screen shows it, in a 24-bit BMP.
void Save(const CDialog& dialog, const std::string& name) {
  HWND window = static_cast<win32::DialogWindow*>(dialog.GetHost())->Handle();
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME | RDW_INVALIDATE);
  RECT rect;
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(memory, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD size = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + size;
  const std::string path = outputFolder + "/" + name + ".bmp";
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::fwrite(bits, size, 1, out);
    std::fclose(out);
    std::printf("%s\n", path.c_str());
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// Runs `action` once `dialog`'s window is up and painted, inside its modal loop.
std::function<void()> pending;
void WhenUp(CDialog& dialog, std::function<void()> action) {
  pending = [&dialog, action] {
    const auto* window = static_cast<win32::DialogWindow*>(dialog.GetHost());
    if (!window || !IsWindowVisible(window->Handle()) || !IsWindowEnabled(window->Handle())) return;
    pending = nullptr;
    UpdateWindow(window->Handle());
    action();
  };
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
    if (!pending) {
      KillTimer(nullptr, timer);
      return;
    }
    auto run = pending;
    run();
  });
}

void Shoot(CDialog& dialog, const std::string& name, const std::function<void()>& before = {}) {
  WhenUp(dialog, [&dialog, name, before] {
    if (before) before();
    Save(dialog, name);
    dialog.EndDialog(res::IDCANCEL);
  });
  dialog.DoModal();
}

void ShowMainWindow(sim::SimPlatform& platform, const std::function<void(CConfigMainDialog&)>& steps) {
  DeviceLink link(platform);
  CConfigMainDialog dialog(link);
  WhenUp(dialog, [&] {
    steps(dialog);
    dialog.EndDialog(res::IDOK);
  });
  dialog.DoModal();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 1) outputFolder = argv[1];
  if (!win32::StartApplication()) return 1;
  CreateDirectoryA(outputFolder.c_str(), nullptr);
  SetMessageHook([](const std::string&) {});
  joystick::FakeJoystickInput joystick;
  joystick::SetJoystickInput(&joystick);

  sim::SimPlatform none;
  ShowMainWindow(none, [](CConfigMainDialog& dialog) { Save(dialog, "main-no-board"); });

  sim::SimPlatform demo;
  sim::AddDemoBoards(demo);
  ShowMainWindow(demo, [&](CConfigMainDialog& dialog) {
    Save(dialog, "main-loaded");
    CAboutDialog about;
    Shoot(about, "about");
    Shoot(dialog.m_AnalogDialog, "analog");
    Shoot(dialog.m_JoyMouseDialog, "joymouse");
    // The stick away from its rest: the fourth change repaints the preview.
    Shoot(dialog.m_KeycodeDialog, "keystick", [&] {
      for (int step = 3; step >= 0; --step) joystick.Move(static_cast<std::uint8_t>(180 + step), 90);
    });
    demo.FailGetFeature(1);
    dialog.OnRereadDevice();
    Save(dialog, "main-link-lost");
  });
  joystick::SetJoystickInput(nullptr);
  return 0;
}
