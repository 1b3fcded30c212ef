// What only the Win32 window has to show: Windows lays every template out in
// its own dialog units, and the preview's raw input reaches the control.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "res/DialogTemplate.h"
#include "tests/ui/scenarios/WindowHarness.h"
#include "ui/framework/win32/CustomControl.h"
#include "ui/framework/win32/DialogTemplateBuilder.h"
#include "ui/framework/win32/DialogWindow.h"
#include "ui/framework/win32/Pictures.h"
#include "ui/joystick/windows/RawJoystickInput.h"

namespace qor::test {
namespace {

using res::DialogItem;
using res::ItemKind;

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The template's rectangle of an item in the window's pixels, mapped as the
// dialog manager maps it: origin and size each rounded on their own, which
// differs from mapping the right edge where the base units are not a multiple of 4.
RECT Mapped(HWND dialog, const DialogItem& item) {
  RECT origin{item.X, item.Y, item.Cx, item.Cy};
  MapDialogRect(dialog, &origin);
  return {origin.left, origin.top, origin.left + origin.right, origin.top + origin.bottom};
}

RECT PlacedIn(HWND dialog, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

class Layout : public ::testing::TestWithParam<int> {};

// A list's template height is its dropped-down height; an up-down places
// itself, in a width of its own, at its buddy's right edge inside the buddy's
// rectangle, which gives it the room. Every other control has exactly the
// template's rectangle.
TEST_P(Layout, EveryControlIsWhereItsTemplatePutsIt) {
  const res::DialogTemplate& dialogTemplate = *res::FindDialogTemplate(GetParam());
  ui::win32::RegisterCustomControlClass();
  const std::vector<std::uint16_t> block = ui::win32::BuildDialogTemplate(dialogTemplate);
  HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(block.data()),
                                           nullptr, &PlainDialog, 0);
  ASSERT_NE(dialog, nullptr);
  RECT client;
  GetClientRect(dialog, &client);
  const RECT whole =
      Mapped(dialog, {res::IDC_STATIC, ItemKind::Static, "", 0, 0, dialogTemplate.Cx, dialogTemplate.Cy, 0});
  EXPECT_EQ(client.right, whole.right);
  EXPECT_EQ(client.bottom, whole.bottom);

  HWND control = GetWindow(dialog, GW_CHILD);
  for (std::size_t index = 0; index < dialogTemplate.Items.size(); ++index, control = GetWindow(control, GW_HWNDNEXT)) {
    const DialogItem& item = dialogTemplate.Items[index];
    ASSERT_NE(control, nullptr) << "item " << index;
    const RECT expected = Mapped(dialog, item);
    const RECT placed = PlacedIn(dialog, control);
    const bool buddy =
        index + 1 < dialogTemplate.Items.size() && dialogTemplate.Items[index + 1].Kind == ItemKind::UpDown;
    SCOPED_TRACE(testing::Message() << "item " << index << " \"" << item.Text << "\" id " << item.Id.Value);
    EXPECT_EQ(placed.top, expected.top);
    if (item.Kind == ItemKind::UpDown) {
      // Over the buddy's right border, as Windows attaches it.
      const RECT buddyRect = Mapped(dialog, dialogTemplate.Items[index - 1]);
      EXPECT_GT(placed.left, buddyRect.left);
      EXPECT_LE(placed.right, buddyRect.right);
      EXPECT_GE(placed.right, buddyRect.right - GetSystemMetrics(SM_CXEDGE));
    } else {
      EXPECT_EQ(placed.left, expected.left);
      if (buddy) {
        EXPECT_LT(placed.right, expected.right);
      } else {
        EXPECT_EQ(placed.right, expected.right);
      }
    }
    if (item.Kind != ItemKind::DropDownList && item.Kind != ItemKind::UpDown) {
      EXPECT_EQ(placed.bottom, expected.bottom);
    }
  }
  DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Templates, Layout,
                         ::testing::Values(res::IDD_ABOUTBOX, res::IDD_QORCONFIG_DIALOG, res::IDD_KEYCODE_DIALOG,
                                           res::IDD_JOYMOUSE_DIALOG, res::IDD_ANALOG_DIALOG));

// The board for each DPI the build renders it at, and the nearest larger one
// between them.
TEST(Pictures, TheBoardIsChosenByTheWindowsDpi) {
  const std::pair<unsigned, int> rows[] = {{72, 168},  {96, 168},  {100, 210}, {120, 210}, {144, 252},
                                           {168, 336}, {192, 336}, {288, 504}, {480, 504}};
  for (const auto& [dpi, width] : rows) {
    HBITMAP board = ui::win32::LoadBitmapForDpi(res::IDB_BOARD, dpi);
    ASSERT_NE(board, nullptr) << dpi;
    BITMAP bitmap;
    GetObjectW(board, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, width) << dpi;
    DeleteObject(board);
  }
}

int BitmapWidth(HWND picture) {
  BITMAP bitmap{};
  GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof bitmap, &bitmap);
  return bitmap.bmWidth;
}

// A window moved to a monitor of another DPI shows the board made for it.
TEST(MainWindow, BoardFollowsTheDpi) {
  WindowHarness harness;
  ASSERT_TRUE(harness.Run([&](ui::CConfigMainDialog& dialog) {
    HWND window = static_cast<ui::win32::DialogWindow*>(dialog.GetHost())->Handle();
    const auto& items = res::FindDialogTemplate(res::IDD_QORCONFIG_DIALOG)->Items;
    const auto board =
        std::find_if(items.begin(), items.end(), [](const DialogItem& item) { return item.Kind == ItemKind::Bitmap; });
    HWND picture = GetWindow(window, GW_CHILD);
    for (auto item = items.begin(); item != board; ++item) picture = GetWindow(picture, GW_HWNDNEXT);
    EXPECT_EQ(BitmapWidth(picture), 168 * static_cast<int>(GetDpiForWindow(window)) / 96);
    RECT place;
    GetWindowRect(window, &place);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&place));
    EXPECT_EQ(BitmapWidth(picture), 336);
  }));
}

// Both icons of the window; a tooltip control with a tool for each of the ten
// buttons and lists, each the control's own window; "&About QORConfig..."
// after a separator at the end of the real window menu, which opens the About
// box.
TEST(MainWindow, IconsTipsAndWindowMenu) {
  WindowHarness harness;
  ASSERT_TRUE(harness.Run([&](ui::CConfigMainDialog& dialog) {
    HWND window = static_cast<ui::win32::DialogWindow*>(dialog.GetHost())->Handle();
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0);
    HWND tips = nullptr;
    while ((tips = FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) && GetWindow(tips, GW_OWNER) != window) {
    }
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 10);
    wchar_t tip[80] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, res::IDC_SCAN_DEVICES));
    tool.lpszText = tip;
    ASSERT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
    EXPECT_EQ(tool.uFlags & (TTF_IDISHWND | TTF_SUBCLASS), static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
    EXPECT_STREQ(tip, L"Scan PC for comaptible USB devices.");

    HMENU menu = GetSystemMenu(window, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"&About QORConfig...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(res::IDM_ABOUTBOX));
    // The box that opens is the About box: ended once seen.
    static bool aboutSeen;
    aboutSeen = false;
    const UINT_PTR closer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
      HWND active = GetActiveWindow();
      if (!FindWindowExW(active, nullptr, L"Static", L"QOR Configuration Application Version 1.3")) return;
      aboutSeen = true;
      PostMessageW(active, WM_COMMAND, res::IDOK, 0);
    });
    SendMessageW(window, WM_SYSCOMMAND, res::IDM_ABOUTBOX, 0);
    KillTimer(nullptr, closer);
    EXPECT_TRUE(aboutSeen);
  }));
}

// A RAWINPUT record of a joystick carrying `report`, as GetRawInputData fills it.
std::vector<std::uint8_t> Record(DWORD type, std::vector<std::uint8_t> report, DWORD count = 1) {
  std::vector<std::uint8_t> record(offsetof(RAWINPUT, data.hid.bRawData) + report.size());
  RAWINPUTHEADER header{};
  header.dwType = type;
  header.dwSize = static_cast<DWORD>(record.size());
  std::memcpy(record.data(), &header, sizeof header);
  const DWORD sizes[2] = {static_cast<DWORD>(report.size()), count};
  std::memcpy(record.data() + offsetof(RAWINPUT, data.hid), sizes, sizeof sizes);
  std::memcpy(record.data() + offsetof(RAWINPUT, data.hid.bRawData), report.data(), report.size());
  return record;
}

TEST(RawInput, TheFirstReportOfAJoysticksRecord) {
  using Bytes = std::vector<std::uint8_t>;
  const auto first = [](const Bytes& record, std::size_t size) {
    const auto report = joystick::FirstHidReport(record.data(), size);
    return Bytes(report.begin(), report.end());
  };
  const Bytes joystick = Record(RIM_TYPEHID, {0, 200, 17, 5});
  EXPECT_EQ(first(joystick, joystick.size()), (Bytes{0, 200, 17, 5}));
  // Only the first of two reports; never beyond the bytes the record holds.
  EXPECT_EQ(first(Record(RIM_TYPEHID, {1, 2, 3, 4}, 2), joystick.size() - 2), (Bytes{1, 2}));
  EXPECT_EQ(first(Record(RIM_TYPEHID, {7, 8, 9}, 0), joystick.size()), Bytes{});
  EXPECT_EQ(first(Record(RIM_TYPEMOUSE, {0, 1, 2}), joystick.size()), Bytes{});
  EXPECT_EQ(first(joystick, sizeof(RAWINPUTHEADER)), Bytes{});
}

class WindowSink final : public joystick::JoystickSink {
 public:
  explicit WindowSink(HWND window) : m_Window(window) {}
  void OnJoystickReport(std::span<const std::uint8_t>) override {}
  std::uintptr_t InputWindow() const override { return reinterpret_cast<std::uintptr_t>(m_Window); }

 private:
  HWND m_Window;
};

// Every joystick, in the background too, to the control's own window; the
// removal leaves no registration behind.
TEST(RawInput, RegistersTheControlsWindowForEveryJoystick) {
  ui::win32::RegisterCustomControlClass();
  HWND window = CreateWindowExW(0, ui::win32::CustomControlClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  joystick::RawJoystickInput input;
  WindowSink sink(window);
  input.Register(&sink);
  EXPECT_TRUE(input.RegistrationSucceeded());
  RAWINPUTDEVICE devices[4];
  UINT count = 4;
  ASSERT_EQ(GetRegisteredRawInputDevices(devices, &count, sizeof devices[0]), 1u);
  EXPECT_EQ(devices[0].usUsagePage, 1);
  EXPECT_EQ(devices[0].usUsage, 4);
  EXPECT_EQ(devices[0].dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK));
  EXPECT_EQ(devices[0].hwndTarget, window);
  input.Unregister();
  count = 4;
  EXPECT_EQ(GetRegisteredRawInputDevices(devices, &count, sizeof devices[0]), 0u);
  DestroyWindow(window);
}

}  // namespace
}  // namespace qor::test
