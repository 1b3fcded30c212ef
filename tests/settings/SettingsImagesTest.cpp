// The save and export images: which bytes come from the settings, which from
// the board's last reply, and which are fixed.

#include "settings/SettingsImages.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

// A different value in every byte, 0 and 1 included.
SettingsReport Filled(std::uint8_t base) {
  SettingsReport image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(base + i);
  return image;
}

// `image` with the given bytes replaced.
SettingsReport With(SettingsReport image, std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
  for (const auto& [offset, value] : bytes) image[offset] = value;
  return image;
}

TEST(SettingsImagesTest, SaveImageTakesByte5FromTheBoardsLastReply) {
  const SettingsReport settings = Filled(0x40);
  const SettingsReport lastReply = Filled(0xA0);
  EXPECT_EQ(SaveImage(settings, lastReply),
            With(settings, {{report_offset::ReportId, 0},
                            {report_offset::Command, CommandStore},
                            {report_offset::Reserved, lastReply[report_offset::Reserved]}}));
}

TEST(SettingsImagesTest, ExportImageHasZeroInBytes0And1And5) {
  const SettingsReport settings = Filled(0x40);
  EXPECT_EQ(ExportImage(settings),
            With(settings, {{report_offset::ReportId, 0}, {report_offset::Command, 0}, {report_offset::Reserved, 0}}));
}

TEST(SettingsImagesTest, SelectionListsHoldOnlyTheirOwnValues) {
  struct Row {
    std::uint8_t In, BoardIdOut, ModeOut;
  };
  for (const Row& row : {Row{0, 0, 0}, Row{3, 3, 3}, Row{4, 0xFF, 4}, Row{5, 0xFF, 0xFF}, Row{0xFF, 0xFF, 0xFF}}) {
    const SettingsReport settings =
        With(Filled(0x40), {{report_offset::BoardId, row.In}, {report_offset::Mode, row.In}});
    EXPECT_EQ(ThroughSelectionLists(settings),
              With(settings, {{report_offset::BoardId, row.BoardIdOut}, {report_offset::Mode, row.ModeOut}}))
        << int(row.In);
  }
}

}  // namespace
}  // namespace qor
