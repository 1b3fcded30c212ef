#pragma once

#include "ui/framework/Dialog.h"

namespace qor::ui {

class CAboutDialog : public CDialog {
 public:
  CAboutDialog() : CDialog(res::IDD_ABOUTBOX) {}
};

}  // namespace qor::ui
