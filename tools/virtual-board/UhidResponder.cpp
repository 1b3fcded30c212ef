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
  ++transfers_;
  ++gets_;
  uhid_event reply{};
  reply.type = UHID_GET_REPORT_REPLY;
  reply.u.get_report_reply.id = request.id;
  reply.u.get_report_reply.err = EIO;
  if (request.rtype != UHID_FEATURE_REPORT || faults_.FailingGets.contains(gets_)) return reply;
  const auto report = reports_->Get(request.rnum);
  if (!report || report->size() > UHID_DATA_MAX) return reply;
  reply.u.get_report_reply.err = 0;
  reply.u.get_report_reply.size = static_cast<std::uint16_t>(report->size());
  std::memcpy(reply.u.get_report_reply.data, report->data(), report->size());
  return reply;
}

uhid_event UhidResponder::AnswerSet(const uhid_set_report_req& request) {
  ++transfers_;
  ++sets_;
  uhid_event reply{};
  reply.type = UHID_SET_REPORT_REPLY;
  reply.u.set_report_reply.id = request.id;
  reply.u.set_report_reply.err = EIO;
  // A failing set never reaches the firmware.
  if (request.rtype != UHID_FEATURE_REPORT || faults_.FailingSets.contains(sets_)) return reply;
  const std::size_t size = std::min<std::size_t>(request.size, UHID_DATA_MAX);
  if (size == 0 || !reports_->Set(request.data, size)) return reply;
  reply.u.set_report_reply.err = 0;
  return reply;
}

}  // namespace qor::virtualboard
