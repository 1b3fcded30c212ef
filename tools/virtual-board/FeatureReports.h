#pragma once
// The feature reports a virtual device keeps, seen as a host sees them:
// byte 0 the report number (always 0, the devices use no report IDs),
// followed by the report's data bytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "sim/VirtualBoard.h"

namespace qor::virtualboard {

class FeatureReports {
 public:
  virtual ~FeatureReports() = default;
  // The report with number `reportNumber`, or nullopt when the device has none.
  virtual std::optional<std::vector<std::uint8_t>> Get(std::uint8_t reportNumber) = 0;
  // False when the device does not take such a report.
  virtual bool Set(const std::uint8_t* report, std::size_t length) = 0;
};

// A QOR board: its firmware answers with the reply its last command selected.
class BoardReports final : public FeatureReports {
 public:
  explicit BoardReports(std::shared_ptr<sim::VirtualBoard> board) : m_Board(std::move(board)) {}
  std::optional<std::vector<std::uint8_t>> Get(std::uint8_t reportNumber) override;
  bool Set(const std::uint8_t* report, std::size_t length) override;

 private:
  std::shared_ptr<sim::VirtualBoard> m_Board;
};

// A device that keeps whatever is written into its one feature report of
// `dataBytes` bytes; with 0 it has no feature report at all.
class PlainReports final : public FeatureReports {
 public:
  explicit PlainReports(std::size_t dataBytes) : m_Data(dataBytes, 0) {}
  std::optional<std::vector<std::uint8_t>> Get(std::uint8_t reportNumber) override;
  bool Set(const std::uint8_t* report, std::size_t length) override;

 private:
  std::vector<std::uint8_t> m_Data;
};

}  // namespace qor::virtualboard
