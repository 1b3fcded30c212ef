#include "ui/ConfigApp.h"

#include "device/DeviceLink.h"
#include "ui/ConfigMainDialog.h"
#include "ui/framework/Toolkit.h"

namespace qor::ui {

bool CConfigApp::InitInstance() {
  // The profile is named as the program always named it; nothing is stored
  // under it.
  toolkit::SetRegistryKey("Local AppWizard-Generated Applications");

  DeviceLink link(m_Platform);
  CConfigMainDialog dialog(link, m_NoBoardsHint);
  dialog.DoModal();
  return false;
}

}  // namespace qor::ui
