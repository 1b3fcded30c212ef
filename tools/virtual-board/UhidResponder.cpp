#include "tools/virtual-board/UhidResponder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qor::virtualboard {

std::optional<uhid_event> UhidResponder::Answer(const uhid_event& request) {
  switch (request.type) {
    case UHID_GET_REPORT:
      return AnswerGet(request.u.get_report);
    case UHID_SET_REPORT:
      return AnswerSet(request.u.set_report);
    default:
      return std::nullopt;
  }
}

uhid_event UhidResponder::AnswerGet(const uhid_get_report_req& request) {
  ++m_Transfers;
  ++m_Gets;
  uhid_event reply{};
  reply.type = UHID_GET_REPORT_REPLY;
  reply.u.get_report_reply.id = request.id;
  reply.u.get_report_reply.err = EIO;
  if (request.rtype != UHID_FEATURE_REPORT || m_Faults.FailingGets.contains(m_Gets)) return reply;
  const auto report = m_Reports->Get(request.rnum);
  if (!report || report->size() > UHID_DATA_MAX) return reply;
  reply.u.get_report_reply.err = 0;
  reply.u.get_report_reply.size = static_cast<std::uint16_t>(report->size());
  std::memcpy(reply.u.get_report_reply.data, report->data(), report->size());
  return reply;
}

uhid_event UhidResponder::AnswerSet(const uhid_set_report_req& request) {
  ++m_Transfers;
  ++m_Sets;
  uhid_event reply{};
  reply.type = UHID_SET_REPORT_REPLY;
  reply.u.set_report_reply.id = request.id;
  reply.u.set_report_reply.err = EIO;
  // A failing set never reaches the firmware.
  if (request.rtype != UHID_FEATURE_REPORT || m_Faults.FailingSets.contains(m_Sets)) return reply;
  const std::size_t size = std::min<std::size_t>(request.size, UHID_DATA_MAX);
  if (size == 0 || !m_Reports->Set(request.data, size)) return reply;
  reply.u.set_report_reply.err = 0;
  return reply;
}

}  // namespace qor::virtualboard
