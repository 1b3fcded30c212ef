#include "ui/DeadZoneEdits.h"

#include "ui/JoyThreshBox.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/Resources.h"

namespace qor::ui {
namespace {

enum Edge : std::size_t { Top, Bottom, Left, Right };

}  // namespace

void DeadZoneEdits::Bind(const CDialog& dialog) {
  for (std::size_t i = 0; i < m_UpDowns.size(); ++i) m_UpDowns[i] = dialog.DlgItem<CSpinButtonCtrl>(UpDownIds[i]);
}

void DeadZoneEdits::SetRanges() {
  for (const auto& upDown : m_UpDowns)
    if (upDown) upDown->SetRange(0, 255);
}

void DeadZoneEdits::SetPositions(const DeadZone& zone) {
  const std::array<int, 4> values{zone.Top, zone.Bottom, zone.Left, zone.Right};
  for (std::size_t i = 0; i < m_UpDowns.size(); ++i)
    if (m_UpDowns[i]) m_UpDowns[i]->SetPos(values[i]);
}

int DeadZoneEdits::Position(std::size_t index) { return m_UpDowns[index] ? m_UpDowns[index]->GetPos() : 0; }

DeadZone DeadZoneEdits::ReadPositions() {
  return DeadZone{static_cast<std::uint8_t>(Position(Top)), static_cast<std::uint8_t>(Position(Bottom)),
                  static_cast<std::uint8_t>(Position(Left)), static_cast<std::uint8_t>(Position(Right))};
}

void DeadZoneEdits::Rewrite() {
  for (const auto& upDown : m_UpDowns)
    if (upDown) upDown->SetPos(upDown->GetPos());
}

bool DeadZoneEdits::Check() {
  if (!(Position(Top) < Position(Bottom))) {
    ShowMessage(ResourceString(res::IDS_DEADZONE_TOP_BOTTOM));
    return false;
  }
  if (!(Position(Left) < Position(Right))) {
    ShowMessage(ResourceString(res::IDS_DEADZONE_LEFT_RIGHT));
    return false;
  }
  return true;
}

void DeadZoneEdits::ShowOn(CJoyThreshBox& preview) {
  const DeadZone zone = ReadPositions();
  preview.SetDeadZone(zone.Top, zone.Bottom, zone.Left, zone.Right);
}

}  // namespace qor::ui
