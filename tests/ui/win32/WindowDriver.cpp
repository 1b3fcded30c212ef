// qorconfig-driver: drives a running qorconfig.exe from another process, as a
// person at the window would, and prints "PASS step" or "FAIL step: why" for
// each step. It stops at the first failure, since the window's state is then
// unknown.
//   qorconfig-driver STEP...
//   list=TEXT|TEXT...        the board list holds these entries, in this order
//   pick=N                   choose entry N (from 1) of the board list
//   mode=N, board-id=N       choose entry N (from 0) of the mode or board-ID list
//   scan, reread, save, done click that button
//   says=saved|failure|nothing   the last choice or click raised that message
//                            (its OK is pressed as it appears), or none
//   shows-mode=N, shows-board-id=N   that list's selection is entry N
//   enabled=NAME,...  disabled=NAME,...   controls by the names above
//   closed                   the window has gone
// Exit status 0 when every step passed, 1 otherwise.

#include <charconv>
#include <chrono>
#include <cstdio>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "ui/framework/win32/Text.h"
#include "ui/framework/win32/Win32.h"

namespace {

using namespace std::chrono_literals;
using qor::ui::win32::Utf8;
using qor::ui::win32::Wide;
namespace res = qor::res;

// A 1-CPU emulated guest runs Wine slowly: every wait is generous, yet bounded.
constexpr auto Patience = 60s;
constexpr UINT SendLimitMs = 60000;

struct NamedControl {
  std::string_view Name;
  res::ControlId Id;
};
constexpr NamedControl Controls[] = {
    {"scan", res::IDC_SCAN_DEVICES},       {"list", res::IDC_DEVICE_LIST},       {"reread", res::IDC_REREAD_DEVICE},
    {"save", res::IDC_SAVE_SETTINGS},      {"mode", res::IDC_MODE_LIST},         {"board-id", res::IDC_BOARD_ID_LIST},
    {"keystick", res::IDC_KEYSTICK_SETUP}, {"analog", res::IDC_ANALOG_SETUP},    {"joymouse", res::IDC_JOYMOUSE_SETUP},
    {"import", res::IDC_IMPORT_SETTINGS},  {"export", res::IDC_EXPORT_SETTINGS}, {"done", res::IDOK},
};

struct NamedMessage {
  std::string_view Name;
  int Id;
};
constexpr NamedMessage Messages[] = {
    {"saved", res::IDS_SETTINGS_SAVED},
    {"failure", res::IDS_COMMUNICATION_FAILURE},
};

// A step's number; -1 for anything else, which no list has as an entry.
int Number(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() ? value : -1;
}

std::optional<int> ControlNamed(std::string_view name) {
  for (const NamedControl& control : Controls)
    if (control.Name == name) return control.Id;
  return std::nullopt;
}

template <typename Condition>
bool WaitFor(Condition condition) {
  for (const auto end = std::chrono::steady_clock::now() + Patience; std::chrono::steady_clock::now() < end;) {
    if (condition()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return condition();
}

std::optional<LRESULT> Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, SendLimitMs, &result)) return std::nullopt;
  return static_cast<LRESULT>(result);
}

std::string TextOf(HWND window) {
  wchar_t text[512] = {};
  Send(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
  std::string utf8 = Utf8(text);
  std::erase(utf8, '\r');
  return utf8;
}

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t found[64] = {};
  GetClassNameW(window, found, static_cast<int>(std::size(found)));
  return std::wstring_view(found) == name;
}

// A message box is a dialog of the system's class, owned by the main window.
HWND MessageBoxOf(HWND main) {
  struct Search {
    HWND Owner, Found;
  } search{main, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* search = reinterpret_cast<Search*>(data);
        if (GetWindow(window, GW_OWNER) != search->Owner || !IsClass(window, L"#32770") || !IsWindowVisible(window))
          return TRUE;
        search->Found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

// The box's text is its one static with text; the icon's static has none.
std::string MessageTextOf(HWND box) {
  std::string text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM data) -> BOOL {
        if (!IsClass(child, L"Static")) return TRUE;
        *reinterpret_cast<std::string*>(data) = TextOf(child);
        return reinterpret_cast<std::string*>(data)->empty();
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

class Window {
 public:
  explicit Window(HWND main) : m_Main(main) {}

  // Runs one step; "" when it passed, else why not.
  std::string Step(std::string_view step) {
    const std::size_t equals = step.find('=');
    const std::string_view verb = step.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? "" : step.substr(equals + 1);
    if (verb == "list") return List(value);
    if (verb == "pick") return Choose(res::IDC_DEVICE_LIST, Number(value) - 1);
    if (verb == "mode" || verb == "board-id") return Choose(*ControlNamed(verb), Number(value));
    if (verb == "says") return Says(value);
    if (verb == "shows-mode") return Shows(res::IDC_MODE_LIST, Number(value));
    if (verb == "shows-board-id") return Shows(res::IDC_BOARD_ID_LIST, Number(value));
    if (verb == "enabled" || verb == "disabled") return Enabling(value, verb == "enabled");
    if (verb == "closed") return WaitFor([&] { return !IsWindow(m_Main); }) ? "" : "the window is still open";
    if (const std::optional<int> button = ControlNamed(verb); button && value.empty()) return Click(*button);
    return "no such step";
  }

 private:
  HWND Item(int id) const { return GetDlgItem(m_Main, id); }

  // Sends one message as a click or a choice delivers it. The handler may
  // block in a message box until its OK is pressed, so the message goes from
  // a second thread while this one watches for boxes.
  std::string Act(HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    m_Said.clear();
    auto answered = std::async(std::launch::async, [=] { return Send(target, message, wParam, lParam).has_value(); });
    while (answered.wait_for(50ms) != std::future_status::ready) {
      const HWND box = MessageBoxOf(m_Main);
      if (!box) continue;
      m_Said.push_back(MessageTextOf(box));
      PostMessageW(GetDlgItem(box, res::IDOK), BM_CLICK, 0, 0);
      if (!WaitFor([&] { return !IsWindow(box); })) return "the message box stays after OK";
    }
    return answered.get() ? "" : "the window did not answer in time";
  }

  std::string Click(int id) {
    const HWND button = Item(id);
    if (!IsWindowEnabled(button)) return "the button is disabled";
    return Act(button, BM_CLICK, 0, 0);
  }

  std::string Choose(int id, int index) {
    const HWND list = Item(id);
    if (!IsWindowEnabled(list)) return "the list is disabled";
    if (index < 0 || Send(list, CB_SETCURSEL, static_cast<WPARAM>(index)) != index) return "the list has no such entry";
    return Act(m_Main, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }

  std::string List(std::string_view expected) {
    const HWND list = Item(res::IDC_DEVICE_LIST);
    std::string entries;
    const LRESULT count = Send(list, CB_GETCOUNT).value_or(0);
    for (LRESULT i = 0; i < count; ++i) {
      std::wstring text(static_cast<std::size_t>(Send(list, CB_GETLBTEXTLEN, i).value_or(0)), L'\0');
      Send(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
      entries += (i ? "|" : "") + Utf8(text.c_str());
    }
    return entries == expected ? "" : "the list holds \"" + entries + "\"";
  }

  std::string Says(std::string_view name) {
    std::vector<std::string> expected;
    for (const NamedMessage& message : Messages)
      if (message.Name == name) expected.push_back(res::LoadString(message.Id));
    if (expected.empty() && name != "nothing") return "no such message";
    if (m_Said == expected) return "";
    std::string said = m_Said.empty() ? "nothing" : "";
    for (const std::string& text : m_Said) said += "\"" + text + "\" ";
    return "it said " + said;
  }

  std::string Shows(int id, int index) {
    const LRESULT selected = Send(Item(id), CB_GETCURSEL).value_or(-2);
    return selected == index ? "" : "entry " + std::to_string(selected) + " is selected";
  }

  std::string Enabling(std::string_view names, bool enabled) {
    std::string wrong;
    while (!names.empty()) {
      const std::string_view name = names.substr(0, names.find(','));
      names.remove_prefix(std::min(names.size(), name.size() + 1));
      const std::optional<int> id = ControlNamed(name);
      if (!id) return "no control " + std::string(name);
      if ((IsWindowEnabled(Item(*id)) != FALSE) != enabled) wrong += " " + std::string(name);
    }
    return wrong.empty() ? "" : "not so:" + wrong;
  }

  HWND m_Main;
  std::vector<std::string> m_Said;
};

}  // namespace

int main(int argc, char* argv[]) {
  const std::wstring caption = Wide(res::FindDialogTemplate(res::IDD_QORCONFIG_DIALOG)->Caption);
  HWND main = nullptr;
  // The window shows once its first scan is done.
  const bool up = WaitFor([&] {
    main = FindWindowW(L"#32770", caption.c_str());
    return main && IsWindowVisible(main) && IsWindowEnabled(main);
  });
  std::printf("%s window up\n", up ? "PASS" : "FAIL");
  if (!up) return 1;
  Window window(main);
  for (int i = 1; i < argc; ++i) {
    const std::string why = window.Step(argv[i]);
    std::printf(why.empty() ? "PASS %s\n" : "FAIL %s: %s\n", argv[i], why.c_str());
    std::fflush(stdout);
    if (!why.empty()) return 1;
  }
  return 0;
}
