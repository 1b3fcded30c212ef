#include "ui/DeadZoneEdits.h"

#include "ui/JoyThreshBox.h"
#include "ui/framework/MessageBox.h"
#include "ui/framework/Resources.h"

namespace qor::ui {
namespace {

enum Edge : std::size_t { Top, Bottom, Left, Right };

}  // namespace

void DeadZoneEdits::SetRanges() {
  for (CSpinButtonCtrl& upDown : m_UpDowns) upDown.SetRange(0, 255);
}

void DeadZoneEdits::SetPositions(const DeadZone& zone) {
  const std::array<int, 4> values{zone.Top, zone.Bottom, zone.Left, zone.Right};
  for (std::size_t i = 0; i < m_UpDowns.size(); ++i) m_UpDowns[i].SetPos(values[i]);
}

DeadZone DeadZoneEdits::ReadPositions() const {
  const auto position = [this](Edge edge) { return static_cast<std::uint8_t>(m_UpDowns[edge].GetPos()); };
  return DeadZone{position(Top), position(Bottom), position(Left), position(Right)};
}

void DeadZoneEdits::Rewrite() {
  for (CSpinButtonCtrl& upDown : m_UpDowns) upDown.SetPos(upDown.GetPos());
}

bool DeadZoneEdits::Check() const {
  if (!(m_UpDowns[Top].GetPos() < m_UpDowns[Bottom].GetPos())) {
    ShowMessage(ResourceString(res::IDS_DEADZONE_TOP_BOTTOM));
    return false;
  }
  if (!(m_UpDowns[Left].GetPos() < m_UpDowns[Right].GetPos())) {
    ShowMessage(ResourceString(res::IDS_DEADZONE_LEFT_RIGHT));
    return false;
  }
  return true;
}

void DeadZoneEdits::ShowOn(CJoyThreshBox& preview) const {
  const DeadZone zone = ReadPositions();
  preview.SetDeadZone(zone.Top, zone.Bottom, zone.Left, zone.Right);
}

}  // namespace qor::ui
