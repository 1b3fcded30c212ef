#include "ui/joystick/windows/RawJoystickInput.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <vector>

namespace qor::joystick {
namespace {

constexpr UINT_PTR SubclassId = 0x4A4F59;  // "JOY"

// The registration record: every joystick, also while the window is in the
// background, delivered to `window`; without a window, the removal.
RAWINPUTDEVICE Registration(HWND window) {
  RAWINPUTDEVICE device{};
  device.usUsagePage = 1;
  device.usUsage = 4;
  device.dwFlags = window ? RIDEV_INPUTSINK : RIDEV_REMOVE;
  device.hwndTarget = window;
  return device;
}

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_INPUT) reinterpret_cast<RawJoystickInput*>(data)->OnRawInput(reinterpret_cast<HRAWINPUT>(lParam));
  // WM_INPUT too goes on to the default handling, which releases the input.
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

std::span<const std::uint8_t> FirstHidReport(const std::uint8_t* record, std::size_t size) {
  constexpr std::size_t reports = offsetof(RAWINPUT, data.hid.bRawData);
  if (size < reports) return {};
  RAWINPUTHEADER header;
  RAWHID hid;
  std::memcpy(&header, record, sizeof header);
  std::memcpy(&hid, record + offsetof(RAWINPUT, data.hid), offsetof(RAWHID, bRawData));
  if (header.dwType != RIM_TYPEHID || hid.dwCount == 0) return {};
  return {record + reports, std::min<std::size_t>(hid.dwSizeHid, size - reports)};
}

void RawJoystickInput::Register(JoystickSink* sink) {
  Detach();
  m_Sink = sink;
  m_Succeeded = false;
  const auto window = reinterpret_cast<HWND>(sink ? sink->InputWindow() : 0);
  if (!window) return;
  m_Window = window;
  SetWindowSubclass(window, &TargetProcedure, SubclassId, reinterpret_cast<DWORD_PTR>(this));
  const RAWINPUTDEVICE device = Registration(window);
  m_Succeeded = RegisterRawInputDevices(&device, 1, sizeof device);
}

void RawJoystickInput::Unregister() {
  if (m_Window) {
    const RAWINPUTDEVICE device = Registration(nullptr);
    RegisterRawInputDevices(&device, 1, sizeof device);
  }
  Detach();
  m_Sink = nullptr;
}

void RawJoystickInput::Detach() {
  if (m_Window) RemoveWindowSubclass(m_Window, &TargetProcedure, SubclassId);
  m_Window = nullptr;
}

void RawJoystickInput::OnRawInput(HRAWINPUT input) {
  UINT size = 0;
  if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) return;
  // A buffer that cannot be had makes this message one that is ignored.
  std::vector<std::uint8_t> record;
  try {
    record.resize(size);
  } catch (const std::bad_alloc&) {
    return;
  }
  const UINT copied = GetRawInputData(input, RID_INPUT, record.data(), &size, sizeof(RAWINPUTHEADER));
  if (copied != size) OutputDebugStringA("GetRawInputData doesn't return correct size !\n");
  if (copied == static_cast<UINT>(-1)) return;
  if (m_Sink) m_Sink->OnJoystickReport(FirstHidReport(record.data(), std::min<std::size_t>(copied, record.size())));
}

JoystickInput& MachineJoystickInput() {
  static RawJoystickInput input;
  return input;
}

}  // namespace qor::joystick
