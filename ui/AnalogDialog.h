#pragma once
// "Analog Settings": which of the board's six analog inputs are connected.

#include <QPointer>
#include <array>
#include <cstdint>

#include "ui/framework/Dialog.h"

class QCheckBox;

namespace qor::ui {

class CAnalogDialog : public CDialog {
 public:
  CAnalogDialog();

  // "Analog 1" .. "Analog 6", holding mask bits 0..5.
  static constexpr std::array<int, 6> CheckBoxIds{res::IDC_ANALOG1, res::IDC_ANALOG2, res::IDC_ANALOG3,
                                                  res::IDC_ANALOG4, res::IDC_ANALOG5, res::IDC_ANALOG6};

  std::uint8_t m_AnalogMask = 0;

 protected:
  void DoDataExchange() override;
  void MessageMap() override;
  bool OnInitDialog() override;

 private:
  void OnOkClicked();

  std::array<QPointer<QCheckBox>, 6> m_AnalogChecks{};
};

}  // namespace qor::ui
