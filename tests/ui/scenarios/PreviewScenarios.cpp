// The dead-zone preview: its pixels at the drawing rules' coordinates through
// the toolkit's painter (one set of expected pictures for every toolkit), the
// shared redraw counter, the zone's low bytes, and the joystick registration
// that never outlives the control's window.

#include <gtest/gtest.h>

#include "Scenario.h"
#include "tests/support/RowName.h"
#include "ui/JoyThreshBox.h"
#include "ui/joystick/FakeJoystickInput.h"

namespace qor::test {
namespace {

using ui::CJoyThreshBox;
using ui::Colour;

constexpr Colour Grey{200, 200, 200}, Red{255, 80, 80}, Black{0, 0, 0}, Yellow{255, 255, 0};

std::string Name(Colour colour) {
  if (colour == Grey) return "grey";
  if (colour == Red) return "red";
  if (colour == Black) return "black";
  if (colour == Yellow) return "yellow";
  return "rgb(" + std::to_string(colour.Red) + "," + std::to_string(colour.Green) + "," + std::to_string(colour.Blue) +
         ")";
}

struct PixelRow {
  const char* Name;
  ui::Size Box;
  DeadZone Zone;
  std::uint8_t X, Y;
  int PixelX, PixelY;
  Colour Expected;
};
void PrintTo(const PixelRow& row, std::ostream* os) { *os << row.Name; }

class PreviewPicture : public ::testing::TestWithParam<PixelRow> {};

TEST_P(PreviewPicture, HasTheRulesColourAtThePixel) {
  const PixelRow& row = GetParam();
  const auto picture = TheDriver().Draw(row.Box.Width, row.Box.Height, [&](ui::CDC& dc) {
    ui::DrawDeadZonePreview(dc, row.Box, row.Zone, row.X, row.Y);
  });
  EXPECT_EQ(Name(picture->At(row.PixelX, row.PixelY)), Name(row.Expected));
}

constexpr ui::Size Square{256, 256};
constexpr DeadZone Zone{32, 160, 64, 192};
// 37 x 23: every coordinate truncates.
constexpr ui::Size Tiny{37, 23};
constexpr DeadZone Middle{64, 192, 64, 192};
// 153 x 126, the dialog's size: the arms run outside the box at the ends of the scale.
constexpr ui::Size InDialog{153, 126};
// 600 x 520: a zone of 0..255 leaves a grey strip right and below.
constexpr ui::Size Large{600, 520};
constexpr DeadZone Full{0, 255, 0, 255};

INSTANTIATE_TEST_SUITE_P(
    Pixels, PreviewPicture,
    ::testing::Values(PixelRow{"box outline left", Square, Zone, 127, 127, 0, 100, Black},
                      PixelRow{"box outline right", Square, Zone, 127, 127, 255, 100, Black},
                      PixelRow{"box outline bottom", Square, Zone, 127, 127, 100, 255, Black},
                      PixelRow{"box inside", Square, Zone, 127, 127, 1, 1, Grey},
                      PixelRow{"zone left outline", Square, Zone, 127, 127, 64, 100, Black},
                      PixelRow{"left of zone", Square, Zone, 127, 127, 63, 100, Grey},
                      PixelRow{"zone inside", Square, Zone, 127, 127, 65, 100, Red},
                      PixelRow{"zone right outline", Square, Zone, 127, 127, 191, 100, Black},
                      PixelRow{"zone right exclusive", Square, Zone, 127, 127, 192, 100, Grey},
                      PixelRow{"zone top outline", Square, Zone, 127, 127, 100, 32, Black},
                      PixelRow{"above zone", Square, Zone, 127, 127, 100, 31, Grey},
                      PixelRow{"zone bottom outline", Square, Zone, 127, 127, 100, 159, Black},
                      PixelRow{"zone bottom exclusive", Square, Zone, 127, 127, 100, 160, Grey},
                      PixelRow{"centre line over zone", Square, Zone, 127, 127, 100, 128, Black},
                      PixelRow{"vertical centre line", Square, Zone, 127, 127, 128, 40, Black},
                      PixelRow{"arm left end", Square, Zone, 127, 127, 117, 127, Yellow},
                      PixelRow{"before arm", Square, Zone, 127, 127, 116, 127, Red},
                      PixelRow{"arm right end", Square, Zone, 127, 127, 136, 127, Yellow},
                      PixelRow{"arm end point left out", Square, Zone, 127, 127, 137, 127, Red},
                      PixelRow{"arm top end", Square, Zone, 127, 127, 127, 117, Yellow},
                      PixelRow{"arm bottom end", Square, Zone, 127, 127, 127, 136, Yellow},
                      PixelRow{"arm bottom end point left out", Square, Zone, 127, 127, 127, 137, Red},
                      PixelRow{"cross-hair over centre line", Square, Zone, 127, 127, 127, 128, Yellow},
                      PixelRow{"cross-hair over vertical line", Square, Zone, 127, 127, 128, 127, Yellow},
                      PixelRow{"tiny zone left outline", Tiny, Middle, 127, 127, 9, 8, Black},
                      PixelRow{"tiny zone inside", Tiny, Middle, 127, 127, 10, 8, Red},
                      PixelRow{"tiny zone right outline", Tiny, Middle, 127, 127, 26, 8, Black},
                      PixelRow{"tiny right exclusive", Tiny, Middle, 127, 127, 27, 8, Grey},
                      PixelRow{"tiny zone top outline", Tiny, Middle, 127, 127, 12, 5, Black},
                      PixelRow{"tiny zone bottom outline", Tiny, Middle, 127, 127, 12, 16, Black},
                      PixelRow{"tiny arm", Tiny, Middle, 127, 127, 16, 11, Yellow},
                      PixelRow{"tiny arm end on centre line", Tiny, Middle, 127, 127, 19, 11, Black},
                      PixelRow{"tiny vertical arm end", Tiny, Middle, 127, 127, 18, 12, Black},
                      PixelRow{"X 0 arm clipped at left", InDialog, Middle, 0, 0, 0, 0, Yellow},
                      PixelRow{"X 0 arm last pixel", InDialog, Middle, 0, 0, 4, 0, Yellow},
                      PixelRow{"X 0 arm ends at 10 units", InDialog, Middle, 0, 0, 5, 0, Black},
                      PixelRow{"Y 0 arm last pixel", InDialog, Middle, 0, 0, 0, 3, Yellow},
                      PixelRow{"Y 0 arm ends", InDialog, Middle, 0, 0, 0, 4, Black},
                      PixelRow{"X 255 arm start", InDialog, Middle, 255, 255, 146, 125, Yellow},
                      PixelRow{"X 255 before arm", InDialog, Middle, 255, 255, 145, 125, Black},
                      PixelRow{"X 255 arm clipped", InDialog, Middle, 255, 255, 152, 125, Yellow},
                      PixelRow{"Y 255 arm start", InDialog, Middle, 255, 255, 152, 120, Yellow},
                      PixelRow{"Y 255 before arm", InDialog, Middle, 255, 255, 152, 119, Black},
                      PixelRow{"full zone right outline", InDialog, Full, 20, 20, 151, 30, Black},
                      PixelRow{"full zone inside", InDialog, Full, 20, 20, 150, 30, Red},
                      PixelRow{"large full zone outline", Large, Full, 127, 127, 596, 100, Black},
                      PixelRow{"large full zone red", Large, Full, 127, 127, 595, 100, Red},
                      PixelRow{"grey strip right", Large, Full, 127, 127, 597, 100, Grey},
                      PixelRow{"grey strip right 2", Large, Full, 127, 127, 598, 100, Grey},
                      PixelRow{"box outline after strip", Large, Full, 127, 127, 599, 100, Black},
                      PixelRow{"grey strip bottom", Large, Full, 127, 127, 100, 517, Grey},
                      PixelRow{"zone bottom outline large", Large, Full, 127, 127, 100, 516, Black},
                      // An empty zone is a rectangle of no size: nothing red at its corner.
                      PixelRow{"empty zone", Square, DeadZone{}, 200, 200, 0, 0, Black},
                      PixelRow{"empty zone inside", Square, DeadZone{}, 200, 200, 1, 1, Grey},
                      // Reversed edges are drawn as if ordered.
                      PixelRow{"reversed zone inside", Square, DeadZone{160, 32, 192, 64}, 127, 127, 65, 100, Red}),
    RowName());

// A zone of no size draws nothing red anywhere.
TEST(PreviewPictureOfAnEmptyZone, HasNoRed) {
  const auto picture = TheDriver().Draw(Square.Width, Square.Height,
                                        [](ui::CDC& dc) { ui::DrawDeadZonePreview(dc, Square, DeadZone{}, 200, 200); });
  for (int y = 0; y < Square.Height; ++y)
    for (int x = 0; x < Square.Width; ++x) ASSERT_NE(Name(picture->At(x, y)), Name(Red)) << x << "," << y;
}

// A preview that counts its paints, in the JoyMouse dialog's place for it.
class CountingPreview : public CJoyThreshBox {
 public:
  int Paints = 0;

 protected:
  void OnPaint(ui::CDC& dc) override {
    ++Paints;
    CJoyThreshBox::OnPaint(dc);
  }
};

class PreviewDialog : public ui::CDialog {
 public:
  PreviewDialog() : CDialog(res::IDD_JOYMOUSE_DIALOG) {}
  CountingPreview m_Preview;

 protected:
  void DoDataExchange() override { BindControl(res::IDC_ZONE_PREVIEW, m_Preview); }
};

class Preview : public ::testing::Test {
 protected:
  void SetUp() override {
    joystick::SetJoystickInput(&m_Joystick);
    CJoyThreshBox::ResetRedrawCounter();
  }
  void TearDown() override { joystick::SetJoystickInput(nullptr); }

  void Open(PreviewDialog& dialog, const std::function<void()>& body) {
    EXPECT_TRUE(TheDriver().DriveModal(
        dialog, [&] { dialog.DoModal(); }, body, res::IDCANCEL));
  }
  bool Send(const std::vector<std::uint8_t>& report) {
    if (!m_Joystick.Registered()) return false;
    m_Joystick.Registered()->OnJoystickReport(report);
    return true;
  }

  joystick::FakeJoystickInput m_Joystick;
};

TEST_F(Preview, SetDeadZoneKeepsLowBytes) {
  CJoyThreshBox box;
  box.SetDeadZone(300, 511, -1, 256);
  EXPECT_EQ(box.Zone(), (DeadZone{44, 255, 255, 0}));
}

// Three changes of position paint nothing, the fourth does, counted across
// instances and openings.
TEST_F(Preview, EveryFourthChangeRepaints) {
  Driver& user = TheDriver();
  PreviewDialog first;
  Open(first, [&] {
    user.FlushPaints();
    // The measure itself: a pending paint is done by a flush.
    const int before = first.m_Preview.Paints;
    first.m_Preview.Invalidate();
    user.FlushPaints();
    EXPECT_EQ(first.m_Preview.Paints, before + 1);

    const int base = first.m_Preview.Paints;
    EXPECT_TRUE(m_Joystick.Move(10, 10));
    EXPECT_TRUE(m_Joystick.Move(10, 10));  // a repeat counts for nothing
    EXPECT_TRUE(m_Joystick.Move(10, 20));  // only Y changes: one change
    EXPECT_EQ(CJoyThreshBox::RedrawCounter(), 2);
    EXPECT_TRUE(m_Joystick.Move(30, 20));
    user.FlushPaints();
    EXPECT_EQ(first.m_Preview.Paints, base);
    EXPECT_EQ(CJoyThreshBox::RedrawCounter(), 3);
    EXPECT_TRUE(m_Joystick.Move(40, 20));
    EXPECT_EQ(CJoyThreshBox::RedrawCounter(), 0);
    user.FlushPaints();
    EXPECT_EQ(first.m_Preview.Paints, base + 1);
    // The window shows the cross-hair where the stick is now.
    const ui::Size box = first.m_Preview.GetClientSize();
    EXPECT_EQ(Name(user.Grab(first, res::IDC_ZONE_PREVIEW)->At(40 * box.Width / 256, 20 * box.Height / 256)),
              Name(Yellow));

    // A second control, opened later, continues the count.
    EXPECT_TRUE(m_Joystick.Move(41, 20));
    EXPECT_TRUE(m_Joystick.Move(42, 20));
    PreviewDialog second;
    Open(second, [&] {
      EXPECT_EQ(m_Joystick.Registered(), &second.m_Preview);
      EXPECT_TRUE(m_Joystick.Move(43, 20));
      EXPECT_EQ(CJoyThreshBox::RedrawCounter(), 3);
      EXPECT_TRUE(m_Joystick.Move(44, 20));
      EXPECT_EQ(CJoyThreshBox::RedrawCounter(), 0);
      EXPECT_EQ(second.m_Preview.X(), 44);
    });
    EXPECT_EQ(first.m_Preview.X(), 42);
  });
}

TEST_F(Preview, PositionStartsAtCentreAndSurvivesWindows) {
  PreviewDialog dialog;
  EXPECT_EQ(dialog.m_Preview.X(), 127);
  EXPECT_EQ(dialog.m_Preview.Y(), 127);
  Open(dialog, [&] { EXPECT_TRUE(m_Joystick.Move(5, 250)); });
  Open(dialog, [&] {
    EXPECT_EQ(dialog.m_Preview.X(), 5);
    EXPECT_EQ(dialog.m_Preview.Y(), 250);
  });
}

struct ReportRow {
  const char* Name;
  std::vector<std::uint8_t> Report;
  std::uint8_t X, Y;
};
void PrintTo(const ReportRow& row, std::ostream* os) { *os << row.Name; }

class PreviewReport : public Preview, public ::testing::WithParamInterface<ReportRow> {};

// Bytes 1 and 2 are X and Y; a report too short to carry both is ignored.
TEST_P(PreviewReport, MovesTheCrossHairByBytesOneAndTwo) {
  const ReportRow& row = GetParam();
  PreviewDialog dialog;
  Open(dialog, [&] {
    EXPECT_TRUE(Send(row.Report));
    EXPECT_EQ(dialog.m_Preview.X(), row.X);
    EXPECT_EQ(dialog.m_Preview.Y(), row.Y);
    EXPECT_EQ(CJoyThreshBox::RedrawCounter(), row.X == 127 && row.Y == 127 ? 0 : 1);
  });
}

INSTANTIATE_TEST_SUITE_P(Reports, PreviewReport,
                         ::testing::Values(ReportRow{"empty", {}, 127, 127}, ReportRow{"report ID only", {0}, 127, 127},
                                           ReportRow{"no Y", {0, 0x10}, 127, 127},
                                           ReportRow{"longer report", {7, 1, 2, 3, 4}, 1, 2}),
                         RowName());

// Opening registers; the latest registration wins; a window that goes takes
// its own registration with it, and only its own; input never reaches a
// control without a window.
TEST_F(Preview, RegistrationFollowsTheWindows) {
  PreviewDialog first;
  PreviewDialog second;
  first.m_Preview.OnJoystickReport(std::vector<std::uint8_t>{0, 1, 1});
  EXPECT_EQ(first.m_Preview.X(), 127);
  Open(first, [&] {
    EXPECT_EQ(m_Joystick.Registered(), &first.m_Preview);
    Open(second, [&] {
      EXPECT_EQ(m_Joystick.Registered(), &second.m_Preview);
      first.m_Preview.RegisterJoystickInput();
    });
    EXPECT_EQ(m_Joystick.Registered(), &first.m_Preview);
    Open(second, [&] {});
    EXPECT_EQ(m_Joystick.Registered(), nullptr);
  });
  EXPECT_FALSE(m_Joystick.Move(9, 9));
  second.m_Preview.OnJoystickReport(std::vector<std::uint8_t>{0, 9, 9});
  EXPECT_EQ(second.m_Preview.X(), 127);
}

TEST_F(Preview, UnregisterEndsWhicheverRegistration) {
  PreviewDialog dialog;
  CJoyThreshBox other;
  Open(dialog, [&] {
    other.UnregisterJoystickInput();
    EXPECT_EQ(m_Joystick.Registered(), nullptr);
  });
}

TEST_F(Preview, DestroyedControlEndsItsRegistration) {
  {
    CJoyThreshBox box;
    box.RegisterJoystickInput();
    EXPECT_EQ(m_Joystick.Registered(), &box);
  }
  EXPECT_EQ(m_Joystick.Registered(), nullptr);
}

}  // namespace
}  // namespace qor::test
