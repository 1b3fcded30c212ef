#pragma once
// "Analog Settings": which of the board's six analog inputs are connected.

#include <array>
#include <cstdint>

#include "res/DialogTemplates.h"
#include "ui/framework/Dialog.h"

namespace qor::ui {

class CAnalogDialog : public CDialog {
 public:
  CAnalogDialog();

  // "Analog 1" .. "Analog 6", holding mask bits 0..5.
  static constexpr std::array<res::ControlId, 6> CheckBoxIds{res::IDC_ANALOG1, res::IDC_ANALOG2, res::IDC_ANALOG3,
                                                             res::IDC_ANALOG4, res::IDC_ANALOG5, res::IDC_ANALOG6};

  std::uint8_t m_AnalogMask = 0;

 protected:
  void DoDataExchange() override;
  void MessageMap() override;
  bool OnInitDialog() override;

 private:
  void OnOkClicked();

  std::array<CButton, 6> m_AnalogChecks;
};

static_assert(res::HasControls(res::templates::AnalogItems, CAnalogDialog::CheckBoxIds, res::ItemKind::CheckBox),
              "the analog dialog's check boxes are six distinct check boxes of its template");

}  // namespace qor::ui
