#include "device/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qor {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What a QOR board's configuration interface declares: one vendor-defined
// 32-byte feature report without report IDs.
const Bytes QorConfiguration = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor Defined 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x20,        //   Report Count (32)
    0x09, 0x01,        //   Usage (1)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

// A vendor collection with one feature report of `count` bytes.
Bytes VendorFeature(std::uint8_t count) {
  return {
      0x06, 0x00,  0xFF,  // Usage Page (Vendor Defined 0xFF00)
      0x09, 0x01,         // Usage (1)
      0xA1, 0x01,         // Collection (Application)
      0x75, 0x08,         //   Report Size (8)
      0x95, count,        //   Report Count (count)
      0x09, 0x01,         //   Usage (1)
      0xB1, 0x02,         //   Feature (Data, Var, Abs)
      0xC0,               // End Collection
  };
}

const Bytes Joystick = {
    0x05, 0x01,        // Usage Page (Generic Desktop)
    0x09, 0x04,        // Usage (Joystick)
    0xA1, 0x01,        // Collection (Application)
    0x09, 0x01,        //   Usage (Pointer)
    0xA1, 0x00,        //   Collection (Physical)
    0x09, 0x30,        //     Usage (X)
    0x09, 0x31,        //     Usage (Y)
    0x15, 0x00,        //     Logical Minimum (0)
    0x26, 0xFF, 0x00,  //     Logical Maximum (255)
    0x75, 0x08,        //     Report Size (8)
    0x95, 0x02,        //     Report Count (2)
    0x81, 0x02,        //     Input (Data, Var, Abs)
    0xC0,              //   End Collection
    0x05, 0x09,        //   Usage Page (Button)
    0x19, 0x01,        //   Usage Minimum (1)
    0x29, 0x0E,        //   Usage Maximum (14)
    0x25, 0x01,        //   Logical Maximum (1)
    0x75, 0x01,        //   Report Size (1)
    0x95, 0x0E,        //   Report Count (14)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0x75, 0x02,        //   Report Size (2)
    0x95, 0x01,        //   Report Count (1)
    0x81, 0x03,        //   Input (Const): padding
    0xC0,              // End Collection
};

const Bytes BootKeyboard = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x06,  // Usage (Keyboard)
    0xA1, 0x01,  // Collection (Application)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,  //   Usage Minimum (Left Control)
    0x29, 0xE7,  //   Usage Maximum (Right GUI)
    0x15, 0x00,  //   Logical Minimum (0)
    0x25, 0x01,  //   Logical Maximum (1)
    0x75, 0x01,  //   Report Size (1)
    0x95, 0x08,  //   Report Count (8)
    0x81, 0x02,  //   Input (Data, Var, Abs): modifiers
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x08,  //   Report Size (8)
    0x81, 0x01,  //   Input (Const): reserved byte
    0x95, 0x05,  //   Report Count (5)
    0x75, 0x01,  //   Report Size (1)
    0x05, 0x08,  //   Usage Page (LEDs)
    0x19, 0x01,  //   Usage Minimum (Num Lock)
    0x29, 0x05,  //   Usage Maximum (Kana)
    0x91, 0x02,  //   Output (Data, Var, Abs): LEDs
    0x95, 0x01,  //   Report Count (1)
    0x75, 0x03,  //   Report Size (3)
    0x91, 0x01,  //   Output (Const): padding
    0x95, 0x06,  //   Report Count (6)
    0x75, 0x08,  //   Report Size (8)
    0x25, 0x65,  //   Logical Maximum (101)
    0x05, 0x07,  //   Usage Page (Keyboard/Keypad)
    0x19, 0x00,  //   Usage Minimum (0)
    0x29, 0x65,  //   Usage Maximum (101)
    0x81, 0x00,  //   Input (Data, Array): key codes
    0xC0,        // End Collection
};

// Report 1: 8-byte feature. Report 2: 16 + 4 bytes of feature in two items.
// Report 3: 63 bytes of input only, which makes no feature report.
const Bytes SeveralReportIds = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor Defined 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x75, 0x08,        //   Report Size (8)
    0x85, 0x01,        //   Report ID (1)
    0x95, 0x08,        //   Report Count (8)
    0x09, 0x01,        //   Usage (1)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0x85, 0x02,        //   Report ID (2)
    0x95, 0x10,        //   Report Count (16)
    0x09, 0x02,        //   Usage (2)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0x85, 0x03,        //   Report ID (3)
    0x95, 0x3F,        //   Report Count (63)
    0x09, 0x03,        //   Usage (3)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0x85, 0x02,        //   Report ID (2)
    0x95, 0x04,        //   Report Count (4)
    0x09, 0x04,        //   Usage (4)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

// Push keeps Report Size 8 and Report ID 1; the 16-bit fields between Push
// and Pop belong to report 2, the 8-bit ones after Pop to report 1 again.
const Bytes PushPop = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor Defined 0xFF00)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x01,        //   Report ID (1)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x04,        //   Report Count (4)
    0xA4,              //   Push
    0x85, 0x02,        //     Report ID (2)
    0x75, 0x10,        //     Report Size (16)
    0xB1, 0x02,        //     Feature: report 2, 8 bytes
    0xB4,              //   Pop
    0xB1, 0x02,        //   Feature: report 1, 4 bytes
    0xB1, 0x02,        //   Feature: report 1, 4 more bytes
    0x95, 0x02,        //   Report Count (2)
    0xB1, 0x02,        //   Feature: report 1, 2 more bytes
    0xC0,              // End Collection
};

const Bytes LongItems = {
    0xFE, 0x03, 0x10, 0xAA, 0xBB, 0xCC,  // Long item, 3 data bytes
    0x06, 0x00, 0xFF,                    // Usage Page (Vendor Defined 0xFF00)
    0xA1, 0x01,                          // Collection (Application)
    0x75, 0x08,                          //   Report Size (8)
    0xFE, 0x00, 0x11,                    //   Long item, no data
    0x95, 0x20,                          //   Report Count (32)
    0xFE, 0x02, 0x12, 0x75, 0x40,        //   Long item whose data looks like Report Size (64)
    0xB1, 0x02,                          //   Feature (Data, Var, Abs)
    0xC0,                                // End Collection
};

const Bytes NestedCollections = {
    0x06, 0x00, 0xFF,  // Usage Page (Vendor Defined 0xFF00)
    0xA1, 0x01,        // Collection (Application)
    0xA1, 0x02,        //   Collection (Logical)
    0xA1, 0x00,        //     Collection (Physical)
    0x75, 0x08,        //       Report Size (8)
    0x95, 0x10,        //       Report Count (16)
    0xB1, 0x02,        //       Feature: 16 bytes
    0xC0,              //     End Collection
    0x95, 0x08,        //     Report Count (8)
    0xB1, 0x02,        //     Feature: 8 more bytes
    0xC0,              //   End Collection
    0xA1, 0x02,        //   Collection (Logical)
    0xC0,              //   End Collection
    0xC0,              // End Collection
};

// 3 + 2 + 6 = 11 bits: two bytes.
const Bytes BitFields = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0xA1, 0x01,  // Collection (Application)
    0x75, 0x01,  //   Report Size (1)
    0x95, 0x03,  //   Report Count (3)
    0xB1, 0x02,  //   Feature (Data, Var, Abs)
    0x95, 0x02,  //   Report Count (2)
    0xB1, 0x02,  //   Feature (Data, Var, Abs)
    0x75, 0x06,  //   Report Size (6)
    0x95, 0x01,  //   Report Count (1)
    0xB1, 0x03,  //   Feature (Const): padding
    0xC0,        // End Collection
};

// Report Size and Report Count in four-byte items; 65534 data bytes is the
// longest report whose length with its ID byte fits 16 bits.
Bytes WideFeature(std::uint32_t sizeBits, std::uint32_t count) {
  auto le = [](std::uint32_t v, int byte) { return static_cast<std::uint8_t>(v >> (8 * byte)); };
  return {
      0xA1,
      0x01,                                                                      // Collection (Application)
      0x77, le(sizeBits, 0), le(sizeBits, 1), le(sizeBits, 2), le(sizeBits, 3),  //   Report Size
      0x97, le(count, 0),    le(count, 1),    le(count, 2),    le(count, 3),     //   Report Count
      0xB1,
      0x02,  //   Feature (Data, Var, Abs)
      0xC0,  // End Collection
  };
}

const Bytes ZeroBitFeature = {
    0xA1, 0x01,  // Collection (Application)
    0x75, 0x08,  //   Report Size (8)
    0x95, 0x00,  //   Report Count (0)
    0xB1, 0x02,  //   Feature: no bits, yet the report exists
    0xC0,        // End Collection
};

const Bytes ReportId255 = {
    0xA1, 0x01,        // Collection (Application)
    0x86, 0xFF, 0x00,  //   Report ID (255), two data bytes
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x02,        //   Report Count (2)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

struct DescriptorCase {
  std::string Name;
  Bytes Descriptor;
  std::optional<int> Expected;
};

class FeatureReportByteLengthTest : public testing::TestWithParam<DescriptorCase> {};

TEST_P(FeatureReportByteLengthTest, GivesTheLongestFeatureReportPlusItsIdByte) {
  // A copy of exactly the descriptor's size, so that AddressSanitizer sees
  // any read past its end.
  const Bytes descriptor = GetParam().Descriptor;
  EXPECT_EQ(FeatureReportByteLength(descriptor), GetParam().Expected);
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, FeatureReportByteLengthTest,
    testing::Values(
        DescriptorCase{"QorConfigurationInterface", QorConfiguration, 33},
        DescriptorCase{"JoystickInputOnly", Joystick, 0}, DescriptorCase{"BootKeyboardInputAndOutput", BootKeyboard, 0},
        DescriptorCase{"SeveralReportIdsLongestWins", SeveralReportIds, 21},
        DescriptorCase{"Feature64Bytes", VendorFeature(64), 65},
        DescriptorCase{"Feature31Bytes", VendorFeature(31), 32},
        DescriptorCase{"PushPopRestoresSizeAndId", PushPop, 11}, DescriptorCase{"LongItemsSkipped", LongItems, 33},
        DescriptorCase{"NestedCollections", NestedCollections, 25}, DescriptorCase{"BitFieldsRoundedUp", BitFields, 3},
        DescriptorCase{"ZeroBitFeatureIsOnlyTheIdByte", ZeroBitFeature, 1},
        DescriptorCase{"ReportId255", ReportId255, 3},
        DescriptorCase{"TwoTopLevelCollections", Concat(Joystick, QorConfiguration), 33},
        DescriptorCase{"LongestRepresentableReport", WideFeature(8, 65534), 65535},
        DescriptorCase{"EmptyDescriptorHasNoFeatureReport", {}, 0},
        DescriptorCase{"FourPushesAndPops", {0xA4, 0xA4, 0xA4, 0xA4, 0xB4, 0xB4, 0xB4, 0xB4}, 0},

        DescriptorCase{"ReportTooLongFor16Bits", WideFeature(8, 65535), std::nullopt},
        DescriptorCase{"HugeSizeTimesCount", WideFeature(0xFFFFFFFF, 0xFFFFFFFF), std::nullopt},
        DescriptorCase{"SumOfItemsTooLong", Concat(WideFeature(8, 40000), WideFeature(8, 40000)), std::nullopt},
        DescriptorCase{"TruncatedTwoByteData", {0x06, 0x00, 0xFF, 0x26, 0xFF}, std::nullopt},
        DescriptorCase{"TruncatedFourByteData", {0x97, 0x01, 0x02, 0x03}, std::nullopt},
        DescriptorCase{"TruncatedLongItemHeader", {0xFE, 0x05}, std::nullopt},
        DescriptorCase{"TruncatedLongItemData", {0xFE, 0x05, 0x10, 0x01, 0x02}, std::nullopt},
        DescriptorCase{"PopOnEmptyStack", {0xA1, 0x01, 0xB4, 0xC0}, std::nullopt},
        DescriptorCase{"FifthPushTooDeep", {0xA4, 0xA4, 0xA4, 0xA4, 0xA4}, std::nullopt},
        DescriptorCase{"ReportIdZero", {0xA1, 0x01, 0x85, 0x00, 0xC0}, std::nullopt},
        DescriptorCase{"ReportId256", {0xA1, 0x01, 0x86, 0x00, 0x01, 0xC0}, std::nullopt},
        DescriptorCase{"EndCollectionWithoutCollection", Concat(QorConfiguration, {0xC0}), std::nullopt},
        DescriptorCase{"CollectionLeftOpen", {0xA1, 0x01, 0x75, 0x08, 0x95, 0x20, 0xB1, 0x02}, std::nullopt}),
    [](const testing::TestParamInfo<DescriptorCase>& info) { return info.param.Name; });

TEST(FeatureReportByteLengthTest, CutOffQorDescriptorIsNeverTakenForAFeatureReport) {
  // A prefix ends inside an item or inside the open collection, except the two
  // that end after Usage Page and after Usage, before the collection opens.
  for (std::size_t size = 1; size < QorConfiguration.size(); ++size) {
    const Bytes prefix(QorConfiguration.begin(), QorConfiguration.begin() + static_cast<std::ptrdiff_t>(size));
    const std::optional<int> expected = (size == 3 || size == 5) ? std::optional<int>(0) : std::nullopt;
    EXPECT_EQ(FeatureReportByteLength(prefix), expected) << "prefix of " << size << " bytes";
  }
}

}  // namespace
}  // namespace qor
