#include "device/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace qor {
namespace {

enum class ItemType : std::uint8_t { Main = 0, Global = 1, Local = 2, Reserved = 3 };

namespace main_tag {
constexpr std::uint8_t Feature = 0xB;
constexpr std::uint8_t Collection = 0xA;
constexpr std::uint8_t EndCollection = 0xC;
}  // namespace main_tag

namespace global_tag {
constexpr std::uint8_t ReportSize = 0x7;
constexpr std::uint8_t ReportId = 0x8;
constexpr std::uint8_t ReportCount = 0x9;
constexpr std::uint8_t Push = 0xA;
constexpr std::uint8_t Pop = 0xB;
}  // namespace global_tag

constexpr std::uint8_t LongItemPrefix = 0xFE;
constexpr std::size_t LongItemHeaderSize = 3;  // prefix, data size, tag
// The Linux HID parser refuses deeper stacks, so no hidraw node has one.
constexpr std::size_t MaxPushDepth = 4;
constexpr int ReportIdCount = 256;
// HIDP_CAPS holds the length, ID byte included, in 16 bits.
constexpr std::uint64_t MaxReportBits = (0xFFFFull - 1) * 8;

struct Item {
  ItemType Type;
  std::uint8_t Tag;
  std::uint32_t Data;  // little-endian, unsigned; 0 for long items
};

// Reads the item at `pos` and moves past it; nullopt when it is cut off.
// Long items carry nothing the length depends on and come back as Reserved.
std::optional<Item> ReadItem(std::span<const std::uint8_t> descriptor, std::size_t& pos) {
  const std::size_t left = descriptor.size() - pos;
  const std::uint8_t prefix = descriptor[pos];
  if (prefix == LongItemPrefix) {
    if (left < LongItemHeaderSize || left - LongItemHeaderSize < descriptor[pos + 1]) return std::nullopt;
    pos += LongItemHeaderSize + descriptor[pos + 1];
    return Item{ItemType::Reserved, 0, 0};
  }
  static constexpr std::array<std::size_t, 4> DataSizes{0, 1, 2, 4};
  const std::size_t size = DataSizes[prefix & 0x3];
  if (left - 1 < size) return std::nullopt;
  std::uint32_t data = 0;
  for (std::size_t i = 0; i < size; ++i) data |= std::uint32_t{descriptor[pos + 1 + i]} << (8 * i);
  pos += 1 + size;
  return Item{static_cast<ItemType>((prefix >> 2) & 0x3), static_cast<std::uint8_t>(prefix >> 4), data};
}

struct GlobalState {
  std::uint32_t ReportSize = 0;
  std::uint32_t ReportCount = 0;
  std::uint32_t ReportId = 0;  // 0 until the descriptor names one
};

class FeatureLengthParser {
 public:
  // False when the descriptor turns out malformed.
  bool Apply(const Item& item) {
    switch (item.Type) {
      case ItemType::Main:
        return ApplyMain(item);
      case ItemType::Global:
        return ApplyGlobal(item);
      case ItemType::Local:
      case ItemType::Reserved:
        return true;
    }
    return true;
  }

  std::optional<int> Result() const {
    if (m_OpenCollections != 0) return std::nullopt;
    std::uint64_t longest = 0;
    for (int id = 0; id < ReportIdCount; ++id) {
      if (m_HasFeature[id]) longest = std::max(longest, (m_FeatureBits[id] + 7) / 8 + 1);
    }
    return static_cast<int>(longest);
  }

 private:
  bool ApplyMain(const Item& item) {
    switch (item.Tag) {
      case main_tag::Collection:
        ++m_OpenCollections;
        return true;
      case main_tag::EndCollection:
        if (m_OpenCollections == 0) return false;
        --m_OpenCollections;
        return true;
      case main_tag::Feature: {
        // Each factor is below 2^32, so the product cannot overflow.
        const std::uint64_t bits = std::uint64_t{m_State.ReportSize} * m_State.ReportCount;
        std::uint64_t& total = m_FeatureBits[m_State.ReportId];
        if (bits > MaxReportBits - total) return false;
        total += bits;
        m_HasFeature[m_State.ReportId] = true;
        return true;
      }
      default:
        return true;  // Input and Output make no feature report
    }
  }

  bool ApplyGlobal(const Item& item) {
    switch (item.Tag) {
      case global_tag::ReportSize:
        m_State.ReportSize = item.Data;
        return true;
      case global_tag::ReportCount:
        m_State.ReportCount = item.Data;
        return true;
      case global_tag::ReportId:
        if (item.Data == 0 || item.Data >= ReportIdCount) return false;
        m_State.ReportId = item.Data;
        return true;
      case global_tag::Push:
        if (m_StackDepth == MaxPushDepth) return false;
        m_Stack[m_StackDepth++] = m_State;
        return true;
      case global_tag::Pop:
        if (m_StackDepth == 0) return false;
        m_State = m_Stack[--m_StackDepth];
        return true;
      default:
        return true;
    }
  }

  GlobalState m_State;
  std::array<GlobalState, MaxPushDepth> m_Stack{};
  std::size_t m_StackDepth = 0;
  std::size_t m_OpenCollections = 0;
  std::array<std::uint64_t, ReportIdCount> m_FeatureBits{};
  std::array<bool, ReportIdCount> m_HasFeature{};
};

}  // namespace

std::optional<int> FeatureReportByteLength(std::span<const std::uint8_t> descriptor) {
  FeatureLengthParser parser;
  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const std::optional<Item> item = ReadItem(descriptor, pos);
    if (!item || !parser.Apply(*item)) return std::nullopt;
  }
  return parser.Result();
}

}  // namespace qor
