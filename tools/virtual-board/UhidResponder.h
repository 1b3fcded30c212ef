#pragma once
// How one virtual device answers the requests the kernel passes through
// /dev/uhid, faults included. Kernel-free, so it is tested on any machine.
//
// A device behind usbhid without report IDs gives hidraw its report with the
// report number 0 in front, and a set arrives with that 0 in front as well;
// the answers here keep that shape, so callers see 33-byte reports.

#include <linux/uhid.h>

#include <cstdint>
#include <memory>

#include "tools/virtual-board/DeviceRequest.h"
#include "tools/virtual-board/FeatureReports.h"

namespace qor::virtualboard {

class UhidResponder {
 public:
  UhidResponder(std::unique_ptr<FeatureReports> reports, FaultPlan faults)
      : m_Reports(std::move(reports)), m_Faults(std::move(faults)) {}

  // The reply to a UHID_GET_REPORT or UHID_SET_REPORT request; for any other
  // event nullopt, since the kernel expects no answer to those.
  std::optional<uhid_event> Answer(const uhid_event& request);

  // True once the device has answered the transfer after which it is to vanish.
  bool Vanishing() const { return m_Faults.VanishAfter && m_Transfers >= *m_Faults.VanishAfter; }
  int Transfers() const { return m_Transfers; }

 private:
  uhid_event AnswerGet(const uhid_get_report_req& request);
  uhid_event AnswerSet(const uhid_set_report_req& request);

  std::unique_ptr<FeatureReports> m_Reports;
  FaultPlan m_Faults;
  int m_Transfers = 0;
  int m_Gets = 0;
  int m_Sets = 0;
};

}  // namespace qor::virtualboard
