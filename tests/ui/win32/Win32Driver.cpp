// The scenarios' user on Win32: the messages a mouse click, a key or the
// window menu put in the dialog's queue, pumped through the dialog manager as
// its own modal loop does.

#include "tests/ui/scenarios/Driver.h"
#include "ui/framework/win32/DialogWindow.h"
#include "ui/framework/win32/GdiPainter.h"

namespace qor::test {
namespace {

HWND WindowOf(const ui::CDialog& dialog) {
  const auto* window = dynamic_cast<const ui::win32::DialogWindow*>(dialog.GetHost());
  return window ? window->Handle() : nullptr;
}

HWND ItemOf(const ui::CDialog& dialog, int id) { return GetDlgItem(WindowOf(dialog), id); }

// Hands every waiting message on as the dialog's modal loop would.
void Pump(HWND dialog) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (dialog && IsWindow(dialog) && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A key goes where the dialog's focus is, else to the dialog.
void PostKey(const ui::CDialog& dialog, UINT key) {
  HWND window = WindowOf(dialog);
  HWND target = GetFocus() ? GetFocus() : window;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
  PostMessageW(target, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
  Pump(window);
}

UINT VirtualKey(Key key) {
  switch (key) {
    case Key::Enter:
      return VK_RETURN;
    case Key::Escape:
      return VK_ESCAPE;
    case Key::Tab:
      return VK_TAB;
    case Key::Space:
      return VK_SPACE;
    case Key::Up:
      return VK_UP;
    case Key::Down:
      return VK_DOWN;
    case Key::Right:
      return VK_RIGHT;
    case Key::End:
      return VK_END;
    case Key::SelectAll:
      return 'A';
  }
  return 0;
}

// Pixels of a 32-bit top-down bitmap.
class Win32Picture final : public Driver::Picture {
 public:
  Win32Picture(int width, int height) : m_Width(width), m_Height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_Dc = CreateCompatibleDC(nullptr);
    m_Bitmap = CreateDIBSection(m_Dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_Bits), nullptr, 0);
    m_Old = SelectObject(m_Dc, m_Bitmap);
  }
  ~Win32Picture() override {
    SelectObject(m_Dc, m_Old);
    DeleteObject(m_Bitmap);
    DeleteDC(m_Dc);
  }
  Win32Picture(const Win32Picture&) = delete;
  Win32Picture& operator=(const Win32Picture&) = delete;

  HDC Dc() const { return m_Dc; }
  ui::Colour At(int x, int y) const override {
    if (x < 0 || y < 0 || x >= m_Width || y >= m_Height) return {};
    GdiFlush();
    const std::uint32_t pixel = m_Bits[y * m_Width + x];
    return ui::Colour{static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                      static_cast<std::uint8_t>(pixel)};
  }

 private:
  int m_Width, m_Height;
  HDC m_Dc;
  HBITMAP m_Bitmap;
  HGDIOBJ m_Old;
  std::uint32_t* m_Bits = nullptr;
};

// The poll of the DriveModal in progress; the body of one runs the next.
std::function<void()>* poll = nullptr;

void CALLBACK OnPollTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (poll) (*poll)();
}

class Win32Driver final : public Driver {
 public:
  bool DriveModal(ui::CDialog& dialog, const std::function<void()>& open, const std::function<void()>& body,
                  int leftOpen) override {
    bool ran = false;
    UINT_PTR timer = 0;
    std::function<void()>* outer = poll;
    std::function<void()> check = [&] {
      HWND window = WindowOf(dialog);
      // Up, and not behind a modal window of its own.
      if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window)) return;
      KillTimer(nullptr, timer);
      poll = outer;
      ran = true;
      SetForegroundWindow(window);
      SetActiveWindow(window);
      body();
      if (IsShown(dialog)) dialog.EndDialog(leftOpen);
    };
    poll = &check;
    timer = SetTimer(nullptr, 0, 10, &OnPollTimer);
    open();
    if (!ran) KillTimer(nullptr, timer);
    poll = outer;
    return ran;
  }

  // A disabled or hidden control gets no click: the mouse's goes elsewhere.
  void Click(const ui::CDialog& dialog, int id) override {
    HWND button = ItemOf(dialog, id);
    if (!IsWindowEnabled(button) || !IsWindowVisible(button)) return;
    SendMessageW(button, BM_CLICK, 0, 0);
    if (IsWindow(WindowOf(dialog))) Pump(WindowOf(dialog));
  }

  void Focus(const ui::CDialog& dialog, int id) override {
    SendMessageW(WindowOf(dialog), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(ItemOf(dialog, id)), TRUE);
    Pump(WindowOf(dialog));
  }

  bool HasFocus(const ui::CDialog& dialog, int id) override {
    return WindowOf(dialog) && GetFocus() == ItemOf(dialog, id);
  }

  void Press(const ui::CDialog& dialog, Key key) override {
    // Selecting all of an edit's text, as Ctrl+A does where the edit knows it.
    if (key == Key::SelectAll) {
      SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
      return;
    }
    PostKey(dialog, VirtualKey(key));
  }

  void Type(const ui::CDialog& dialog, std::string_view text) override {
    for (const char c : text) {
      PostMessageW(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
      Pump(WindowOf(dialog));
    }
  }

  void CloseBox(const ui::CDialog& dialog) override {
    SendMessageW(WindowOf(dialog), WM_SYSCOMMAND, ui::CDialog::SC_CLOSE, 0);
    Pump(WindowOf(dialog));
  }

  bool IsShown(const ui::CDialog& dialog) override { return WindowOf(dialog) && IsWindowVisible(WindowOf(dialog)); }

  void FlushPaints() override {
    Pump(nullptr);
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
          RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
          return TRUE;
        },
        0);
  }

  bool WaitCursorShown() override { return GetCursor() == LoadCursorW(nullptr, IDC_WAIT); }

  std::unique_ptr<Picture> Draw(int width, int height, const std::function<void(ui::CDC& dc)>& draw) override {
    auto picture = std::make_unique<Win32Picture>(width, height);
    PatBlt(picture->Dc(), 0, 0, width, height, WHITENESS);
    {
      ui::win32::GdiDC dc(picture->Dc());
      draw(dc);
    }
    return picture;
  }

  // What the window shows, read from its surface once it has painted.
  std::unique_ptr<Picture> Grab(const ui::CDialog& dialog, int id) override {
    HWND control = ItemOf(dialog, id);
    UpdateWindow(control);
    RECT client;
    GetClientRect(control, &client);
    auto picture = std::make_unique<Win32Picture>(client.right, client.bottom);
    HDC screen = GetDC(control);
    BitBlt(picture->Dc(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ReleaseDC(control, screen);
    return picture;
  }
};

}  // namespace

Driver& TheDriver() {
  static Win32Driver driver;
  return driver;
}

}  // namespace qor::test
