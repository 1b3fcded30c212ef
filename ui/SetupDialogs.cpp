#include "ui/SetupDialogs.h"

namespace qor::ui {

CKeycodeDialog::CKeycodeDialog() : CDialog(res::IDD_KEYCODE_DIALOG) {}

CJoyMouseDialog::CJoyMouseDialog() : CDialog(res::IDD_JOYMOUSE_DIALOG) {}

CAnalogDialog::CAnalogDialog() : CDialog(res::IDD_ANALOG_DIALOG) {}

}  // namespace qor::ui
