#include "ui/ConfigApp.h"

#include <QCoreApplication>

#include "device/DeviceLink.h"
#include "ui/ConfigMainDialog.h"

namespace qor::ui {

bool CConfigApp::InitInstance() {
  // The organisation is named as the program always named it; nothing is
  // stored under it.
  QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));

  DeviceLink link(m_Platform);
  CConfigMainDialog dialog(link, m_Probe, m_Rules);
  dialog.DoModal();
  return false;
}

}  // namespace qor::ui
