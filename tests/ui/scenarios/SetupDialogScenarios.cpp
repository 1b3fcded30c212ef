// The three setup dialogs driven as a person would: keys typed into the
// edits, clicks on the buttons, Enter, Escape and the close box, with every
// message caught and a fake joystick behind the preview; and every setting
// changed through them, saved to a virtual board and read back.

#include <gtest/gtest.h>

#include "Scenario.h"
#include "settings/KeyCodeTable.h"
#include "tests/support/RowName.h"
#include "ui/SetupDialogs.h"
#include "ui/framework/MessageBox.h"
#include "ui/joystick/FakeJoystickInput.h"

namespace qor::test {
namespace {

using ui::CAnalogDialog;
using ui::CDialog;
using ui::CJoyMouseDialog;
using ui::CKeycodeDialog;
using ui::DeadZoneEdits;

// DoModal's result when the test had to end a dialog its body left open.
constexpr int LeftOpen = 99;

// How a test ends a dialog.
enum Ending {
  ClickOk,
  ClickCancel,
  EnterOnOk,
  EnterOnEdit,
  EnterOnSelector,
  EnterOnCheckBox,
  EnterOnCancel,
  Escape,
  CloseBox
};
void PrintTo(Ending ending, std::ostream* os) {
  const char* names[] = {"click OK",
                         "click Cancel",
                         "Enter on OK",
                         "Enter on a dead-zone box",
                         "Enter on a selector",
                         "Enter on a check box",
                         "Enter on Cancel",
                         "Escape",
                         "close box"};
  *os << names[ending];
}

res::ControlId ZoneEdit(int index) { return DeadZoneEdits::EditIds[static_cast<std::size_t>(index)]; }

class SetupDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    joystick::SetJoystickInput(&m_Joystick);
    ui::SetMessageHook([this](const std::string& text) { m_Messages.push_back(text); });
    ui::CJoyThreshBox::ResetRedrawCounter();
    KeyCodeTable::ResetReverseMap();
  }
  void TearDown() override {
    ui::SetMessageHook({});
    joystick::SetJoystickInput(nullptr);
  }

  // Runs `body` inside the dialog's modal loop once its window is up and
  // active, and returns DoModal's result; a body that never ran fails the test.
  int RunModal(CDialog& dialog, const std::function<void()>& body) {
    int result = 0;
    EXPECT_TRUE(m_User.DriveModal(
        dialog, [&] { result = dialog.DoModal(); }, body, LeftOpen))
        << "the dialog never came up";
    return result;
  }

  void End(const CDialog& dialog, Ending ending) {
    const res::ControlId ok = dialog.HasDlgItem(res::IDOK) ? res::IDOK : res::IDCANCEL;
    switch (ending) {
      case ClickOk:
        return m_User.Click(dialog, ok);
      case ClickCancel:
        return m_User.Click(dialog, res::IDCANCEL);
      case EnterOnOk:
        return m_User.Press(dialog, ok, Key::Enter);
      case EnterOnEdit:
        return m_User.Press(dialog, ZoneEdit(1), Key::Enter);
      case EnterOnSelector:
        return m_User.Press(dialog, res::IDC_KEY_UP, Key::Enter);
      case EnterOnCheckBox:
        return m_User.Press(dialog, dialog.HasDlgItem(res::IDC_ANALOG1) ? res::IDC_ANALOG1 : res::IDC_JOYMOUSE_ENABLE,
                            Key::Enter);
      case EnterOnCancel:
        return m_User.Press(dialog, res::IDCANCEL, Key::Enter);
      case Escape:
        return m_User.Press(dialog, Key::Escape);
      case CloseBox:
        return m_User.CloseBox(dialog);
    }
  }

  Driver& m_User = TheDriver();
  joystick::FakeJoystickInput m_Joystick;
  Texts m_Messages;
};

// ---- KeyStick ----

TEST_F(SetupDialogs, KeyStickOpensWithItsFieldsAndStoresThemOnOk) {
  CKeycodeDialog dialog;
  for (std::size_t j = 0; j < dialog.m_KeyCodes.size(); ++j)
    dialog.m_KeyCodes[j] = KeyCodeTable::CodeAt(static_cast<int>(j * 5 + 1));
  dialog.m_KeyCodes[2] = 0x00;  // not in the table
  dialog.m_KeyCodes[17] = 0xFF;
  dialog.m_KeyStickZone = DeadZone{64, 192, 60, 190};
  const auto loaded = dialog.m_KeyCodes;

  for (int opening = 0; opening < 2; ++opening) {
    const int result = RunModal(dialog, [&] {
      EXPECT_TRUE(dialog.m_bInitialized);
      EXPECT_EQ(m_Joystick.Registered(), &dialog.m_Preview);
      EXPECT_TRUE(m_User.HasFocus(dialog, res::IDCANCEL));  // "Ok", the first tab stop
      for (std::size_t j = 0; j < CKeycodeDialog::KeySelectorIds.size(); ++j) {
        const ui::CComboBox selector = List(dialog, CKeycodeDialog::KeySelectorIds[j]);
        EXPECT_EQ(selector.GetCount(), KeyCodeTable::Count);  // never a name twice
        const bool known = j != 2 && j != 17;
        EXPECT_EQ(selector.GetWindowText(), known ? KeyCodeTable::NameAt(static_cast<int>(j * 5 + 1)) : "F1");
      }
      const Texts texts{"64", "192", "60", "190"};
      for (int i = 0; i < 4; ++i) EXPECT_EQ(Text(dialog, ZoneEdit(i)), texts[i]);
      EXPECT_EQ(dialog.m_Preview.Zone(), (DeadZone{64, 192, 60, 190}));
      m_User.Click(dialog, res::IDCANCEL);
    });
    EXPECT_EQ(result, res::IDCANCEL);
  }
  auto expected = loaded;
  expected[2] = 0x3A;
  expected[17] = 0x3A;
  EXPECT_EQ(dialog.m_KeyCodes, expected);
  EXPECT_EQ(dialog.m_KeyStickZone, (DeadZone{64, 192, 60, 190}));
  EXPECT_FALSE(dialog.m_bInitialized);
  EXPECT_EQ(m_Joystick.Registered(), nullptr);
  EXPECT_TRUE(m_Messages.empty());
}

struct TypedRow {
  const char* Name;
  const char* Typed;
  std::vector<int> Tops;  // the preview's Top after each key
  const char* ShownAfterTab;
};
void PrintTo(const TypedRow& row, std::ostream* os) { *os << row.Name; }

class TypedTop : public SetupDialogs, public ::testing::WithParamInterface<TypedRow> {};

TEST_P(TypedTop, ReachesThePreviewKeyByKey) {
  const TypedRow& row = GetParam();
  CKeycodeDialog dialog;
  dialog.m_KeyStickZone = DeadZone{100, 200, 50, 150};
  RunModal(dialog, [&] {
    m_User.Press(dialog, ZoneEdit(0), Key::SelectAll);
    const std::string typed = row.Typed;
    for (std::size_t i = 0; i < typed.size(); ++i) {
      m_User.Type(dialog, typed.substr(i, 1));
      EXPECT_EQ(dialog.m_Preview.Zone().Top, row.Tops[i]) << "after " << typed.substr(0, i + 1);
    }
    EXPECT_EQ(Text(dialog, ZoneEdit(0)), typed);
    m_User.Press(dialog, Key::Tab);
    EXPECT_FALSE(m_User.HasFocus(dialog, ZoneEdit(0)));
    EXPECT_EQ(Text(dialog, ZoneEdit(0)), row.ShownAfterTab);
    EXPECT_EQ(dialog.m_Preview.Zone().Top, row.Tops.back());
  });
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedTop,
                         ::testing::Values(TypedRow{"300 stops at 30", "300", {3, 30, 30}, "30"},
                                           TypedRow{"007 shows as 7", "007", {0, 0, 7}, "7"},
                                           TypedRow{"letters keep the last value", "abc", {100, 100, 100}, "100"},
                                           TypedRow{"letter after a digit", "2a5", {2, 2, 2}, "2"}),
                         RowName());

TEST_F(SetupDialogs, KeyStickArrowKeyStepsThePreview) {
  CKeycodeDialog dialog;
  dialog.m_KeyStickZone = DeadZone{100, 200, 50, 150};
  RunModal(dialog, [&] {
    m_User.Press(dialog, ZoneEdit(3), Key::Up);
    EXPECT_EQ(Text(dialog, ZoneEdit(3)), "151");
    EXPECT_EQ(dialog.m_Preview.Zone().Right, 151);
  });
}

struct ZoneRow {
  const char* Name;
  Texts Zone;  // Top, Bottom, Left, Right as typed
  std::string Message;
};
void PrintTo(const ZoneRow& row, std::ostream* os) { *os << row.Name; }

const ZoneRow TopEqualsBottom{"top equals bottom", {"128", "128", "90", "160"}, BottomTop};
const ZoneRow LeftEqualsRight{"left equals right", {"10", "20", "100", "100"}, RightLeft};
const ZoneRow BothWrong{"both wrong: only top and bottom", {"50", "20", "200", "100"}, BottomTop};

class KeyStickZoneCheck : public SetupDialogs, public ::testing::WithParamInterface<ZoneRow> {};

// A refused zone keeps the dialog open with everything in place; the
// standard OK command still ends it without storing.
TEST_P(KeyStickZoneCheck, RefusesAZoneOutOfOrder) {
  const ZoneRow& row = GetParam();
  CKeycodeDialog dialog;
  dialog.m_KeyStickZone = DeadZone{1, 2, 3, 4};
  dialog.m_KeyCodes.fill(0x04);
  const int result = RunModal(dialog, [&] {
    for (int i = 0; i < 4; ++i) m_User.Retype(dialog, ZoneEdit(i), row.Zone[i]);
    m_User.ChooseNext(dialog, res::IDC_KEY_DOWN);
    m_User.Click(dialog, res::IDCANCEL);
    if (row.Message.empty()) return;
    EXPECT_EQ(m_Messages, Texts{row.Message});
    EXPECT_TRUE(m_User.IsShown(dialog));
    EXPECT_TRUE(dialog.m_bInitialized);
    EXPECT_EQ(m_Joystick.Registered(), &dialog.m_Preview);
    EXPECT_EQ(Text(dialog, ZoneEdit(0)), row.Zone[0]);
    End(dialog, EnterOnEdit);
  });
  if (row.Message.empty()) {
    EXPECT_EQ(result, res::IDCANCEL);
    EXPECT_TRUE(m_Messages.empty());
    EXPECT_EQ(dialog.m_KeyStickZone, (DeadZone{127, 128, 90, 160}));
    EXPECT_EQ(dialog.m_KeyCodes[1], KeyCodeTable::CodeAt(KeyCodeTable::IndexOfCode(0x04) + 1));
  } else {
    EXPECT_EQ(result, res::IDOK);
    EXPECT_EQ(dialog.m_KeyStickZone, (DeadZone{1, 2, 3, 4}));
    EXPECT_EQ(dialog.m_KeyCodes[1], 0x04);
  }
  EXPECT_FALSE(dialog.m_bInitialized);
  EXPECT_EQ(m_Joystick.Registered(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, KeyStickZoneCheck,
    ::testing::Values(TopEqualsBottom, ZoneRow{"top just below bottom", {"127", "128", "90", "160"}, ""},
                      ZoneRow{"left above right", {"10", "20", "200", "100"}, RightLeft}, LeftEqualsRight, BothWrong,
                      ZoneRow{"out-of-range bottom reads its last value", {"40", "300", "1", "2"}, BottomTop}),
    RowName());

struct KeyStickEndingRow {
  Ending How;
  int Result;
  bool Stores;
};
void PrintTo(const KeyStickEndingRow& row, std::ostream* os) { PrintTo(row.How, os); }

class KeyStickEnding : public SetupDialogs, public ::testing::WithParamInterface<KeyStickEndingRow> {};

// "Ok" is command 2: Escape and the close box store as it does; Enter
// anywhere but on "Ok" is the standard OK command and stores nothing.
TEST_P(KeyStickEnding, StoresOnlyThroughOk) {
  const KeyStickEndingRow& row = GetParam();
  CKeycodeDialog dialog;
  dialog.m_KeyCodes.fill(0x04);  // "A"
  dialog.m_KeyStickZone = DeadZone{10, 150, 20, 200};
  const int ended = RunModal(dialog, [&] {
    m_User.ChooseNext(dialog, res::IDC_KEY_UP);  // Up: "A" -> "B"
    // "300" typed over Bottom and the dialog left at once: 30 was the last
    // number the box held.
    m_User.Retype(dialog, ZoneEdit(1), "300");
    End(dialog, row.How);
  });
  EXPECT_EQ(ended, row.Result);
  EXPECT_TRUE(m_Messages.empty());
  EXPECT_EQ(dialog.m_KeyCodes[0], row.Stores ? 0x05 : 0x04);
  EXPECT_EQ(dialog.m_KeyStickZone, (DeadZone{10, std::uint8_t(row.Stores ? 30 : 150), 20, 200}));
  EXPECT_FALSE(dialog.m_bInitialized);
  EXPECT_EQ(m_Joystick.Registered(), nullptr);
  EXPECT_FALSE(m_Joystick.Move(1, 2));
}

INSTANTIATE_TEST_SUITE_P(Endings, KeyStickEnding,
                         ::testing::Values(KeyStickEndingRow{ClickOk, res::IDCANCEL, true},
                                           KeyStickEndingRow{EnterOnOk, res::IDCANCEL, true},
                                           KeyStickEndingRow{Escape, res::IDCANCEL, true},
                                           KeyStickEndingRow{CloseBox, res::IDCANCEL, true},
                                           KeyStickEndingRow{EnterOnSelector, res::IDOK, false},
                                           KeyStickEndingRow{EnterOnEdit, res::IDOK, false}),
                         RowName());

TEST_F(SetupDialogs, KeyStickInvalidZoneFromABoardHoldsTheDialog) {
  CKeycodeDialog dialog;
  dialog.m_KeyStickZone = DeadZone{0, 0, 0, 0};
  const int result = RunModal(dialog, [&] {
    EXPECT_EQ(dialog.m_Preview.Zone(), (DeadZone{0, 0, 0, 0}));
    for (Ending ending : {ClickOk, Escape, CloseBox}) {
      End(dialog, ending);
      EXPECT_TRUE(m_User.IsShown(dialog));
    }
    EXPECT_EQ(m_Messages, (Texts{BottomTop, BottomTop, BottomTop}));
    m_User.Retype(dialog, ZoneEdit(1), "9");
    End(dialog, Escape);
    EXPECT_EQ(m_Messages.back(), RightLeft);
    m_User.Retype(dialog, ZoneEdit(3), "8");
    End(dialog, Escape);
  });
  EXPECT_EQ(result, res::IDCANCEL);
  EXPECT_EQ(dialog.m_KeyStickZone, (DeadZone{0, 9, 0, 8}));
}

TEST_F(SetupDialogs, KeyStickPreviewFollowsTheJoystick) {
  CKeycodeDialog dialog;
  dialog.m_KeyStickZone = DeadZone{10, 150, 20, 200};
  RunModal(dialog, [&] {
    EXPECT_TRUE(m_Joystick.Move(30, 40));
    EXPECT_TRUE(m_Joystick.Move(31, 41));
    EXPECT_EQ(dialog.m_Preview.X(), 31);
    EXPECT_EQ(dialog.m_Preview.Y(), 41);
    m_User.Press(dialog, res::IDCANCEL, Key::Space);
  });
  EXPECT_FALSE(m_Joystick.Move(90, 90));
  RunModal(dialog, [&] {
    EXPECT_EQ(dialog.m_Preview.X(), 31);  // where the stick was last seen
    EXPECT_EQ(m_Joystick.Registrations, 2);
  });
}

// ---- JoyMouse ----

struct OptionsRow {
  const char* Name;
  int Options;
  bool Checked;
  int Speed;
  Ending How;
  int Stored;
};
void PrintTo(const OptionsRow& row, std::ostream* os) { *os << row.Name; }

class JoyMouseOptions : public SetupDialogs, public ::testing::WithParamInterface<OptionsRow> {};

TEST_P(JoyMouseOptions, OpenAndStore) {
  const OptionsRow& row = GetParam();
  CJoyMouseDialog dialog;
  dialog.m_JoyMouseOptions = static_cast<std::uint8_t>(row.Options);
  dialog.m_JoyMouseZone = DeadZone{100, 150, 90, 160};
  const int result = RunModal(dialog, [&] {
    EXPECT_TRUE(m_User.HasFocus(dialog, res::IDOK));
    EXPECT_EQ(dialog.GetDlgItem<ui::CButton>(res::IDC_JOYMOUSE_ENABLE).GetCheck(), row.Checked);
    EXPECT_EQ(dialog.GetDlgItem<ui::CSliderCtrl>(res::IDC_JOYMOUSE_SPEED).GetPos(), row.Speed);
    EXPECT_EQ(dialog.m_Preview.Zone(), (DeadZone{100, 150, 90, 160}));
    EXPECT_EQ(m_Joystick.Registered(), &dialog.m_Preview);
    End(dialog, row.How);
  });
  EXPECT_EQ(result, res::IDOK);
  EXPECT_EQ(dialog.m_JoyMouseOptions, row.Stored);
  EXPECT_FALSE(dialog.m_bInitialized);
  EXPECT_EQ(m_Joystick.Registered(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Options, JoyMouseOptions,
                         ::testing::Values(OptionsRow{"0x00 opens at speed 1", 0x00, false, 1, ClickOk, 0x01},
                                           OptionsRow{"0x85", 0x85, true, 5, ClickOk, 0x85},
                                           OptionsRow{"0xFF holds speed 32", 0xFF, true, 32, ClickOk, 0xA0},
                                           OptionsRow{"0x40 without JoyMouse", 0x40, false, 32, EnterOnEdit, 0x20},
                                           OptionsRow{"Enter on the check box", 0x85, true, 5, EnterOnCheckBox, 0x85}),
                         RowName());

TEST_F(SetupDialogs, JoyMouseStoresWhatWasTyped) {
  CJoyMouseDialog dialog;
  dialog.m_JoyMouseOptions = 0x00;
  dialog.m_JoyMouseZone = DeadZone{1, 2, 3, 4};
  const int result = RunModal(dialog, [&] {
    const Texts typed{"100", "150", "90", "160"};
    for (int i = 0; i < 4; ++i) m_User.Retype(dialog, ZoneEdit(i), typed[i]);
    EXPECT_EQ(dialog.m_Preview.Zone(), (DeadZone{100, 150, 90, 160}));
    m_User.Click(dialog, res::IDC_JOYMOUSE_ENABLE);
    m_User.Focus(dialog, res::IDC_JOYMOUSE_SPEED);
    for (int i = 0; i < 7; ++i) m_User.Press(dialog, Key::Right);
    m_User.Click(dialog, res::IDOK);
  });
  EXPECT_EQ(result, res::IDOK);
  EXPECT_EQ(dialog.m_JoyMouseZone, (DeadZone{100, 150, 90, 160}));
  EXPECT_EQ(dialog.m_JoyMouseOptions, 0x88);
}

class JoyMouseZoneCheck : public SetupDialogs, public ::testing::WithParamInterface<ZoneRow> {};

TEST_P(JoyMouseZoneCheck, RefusesAZoneOutOfOrderAndEscapeKeepsTheFields) {
  const ZoneRow& row = GetParam();
  CJoyMouseDialog dialog;
  dialog.m_JoyMouseZone = DeadZone{1, 2, 3, 4};
  dialog.m_JoyMouseOptions = 0x83;
  const int result = RunModal(dialog, [&] {
    for (int i = 0; i < 4; ++i) m_User.Retype(dialog, ZoneEdit(i), row.Zone[i]);
    End(dialog, EnterOnEdit);
    EXPECT_EQ(m_Messages, Texts{row.Message});
    EXPECT_TRUE(m_User.IsShown(dialog));
    EXPECT_TRUE(dialog.m_bInitialized);
    End(dialog, Escape);
  });
  EXPECT_EQ(result, res::IDCANCEL);
  EXPECT_EQ(dialog.m_JoyMouseZone, (DeadZone{1, 2, 3, 4}));
  EXPECT_EQ(dialog.m_JoyMouseOptions, 0x83);
}

INSTANTIATE_TEST_SUITE_P(Zones, JoyMouseZoneCheck, ::testing::Values(TopEqualsBottom, LeftEqualsRight, BothWrong),
                         RowName());

class JoyMouseCancel : public SetupDialogs, public ::testing::WithParamInterface<Ending> {};

// Escape and the close box keep the fields, and end the joystick input.
TEST_P(JoyMouseCancel, KeepsTheFields) {
  CJoyMouseDialog dialog;
  dialog.m_JoyMouseZone = DeadZone{10, 20, 30, 40};
  dialog.m_JoyMouseOptions = 0x83;
  const int result = RunModal(dialog, [&] {
    m_User.Retype(dialog, ZoneEdit(0), "5");
    m_User.Click(dialog, res::IDC_JOYMOUSE_ENABLE);
    End(dialog, GetParam());
  });
  EXPECT_EQ(result, res::IDCANCEL);
  EXPECT_EQ(dialog.m_JoyMouseZone, (DeadZone{10, 20, 30, 40}));
  EXPECT_EQ(dialog.m_JoyMouseOptions, 0x83);
  EXPECT_FALSE(dialog.m_bInitialized);
  EXPECT_EQ(m_Joystick.Registered(), nullptr);
  RunModal(dialog, [&] {
    EXPECT_EQ(Text(dialog, ZoneEdit(0)), "10");
    EXPECT_TRUE(dialog.GetDlgItem<ui::CButton>(res::IDC_JOYMOUSE_ENABLE).GetCheck());
  });
}

INSTANTIATE_TEST_SUITE_P(Endings, JoyMouseCancel, ::testing::Values(Escape, CloseBox), RowName());

TEST_F(SetupDialogs, JoyMouseEditsTakeDigitsOnly) {
  CJoyMouseDialog dialog;
  dialog.m_JoyMouseZone = DeadZone{200, 220, 30, 40};
  RunModal(dialog, [&] {
    m_User.Press(dialog, ZoneEdit(0), Key::End);
    m_User.Type(dialog, "x-");
    EXPECT_EQ(Text(dialog, ZoneEdit(0)), "200");
    m_User.Retype(dialog, ZoneEdit(0), "300");
    m_User.Press(dialog, Key::Tab);
    EXPECT_EQ(Text(dialog, ZoneEdit(0)), "30");
  });
}

// ---- Analog ----

struct MaskRow {
  int Mask;
  std::vector<bool> Checked;
};
void PrintTo(const MaskRow& row, std::ostream* os) { *os << "mask " << row.Mask; }

class AnalogOpening : public SetupDialogs, public ::testing::WithParamInterface<MaskRow> {};

TEST_P(AnalogOpening, ChecksTheMasksBits) {
  CAnalogDialog dialog;
  dialog.m_AnalogMask = static_cast<std::uint8_t>(GetParam().Mask);
  RunModal(dialog, [&] {
    EXPECT_TRUE(m_User.HasFocus(dialog, res::IDOK));
    for (std::size_t i = 0; i < 6; ++i)
      EXPECT_EQ(dialog.GetDlgItem<ui::CButton>(CAnalogDialog::CheckBoxIds[i]).GetCheck(), GetParam().Checked[i])
          << "Analog " << i + 1;
  });
}

INSTANTIATE_TEST_SUITE_P(Masks, AnalogOpening,
                         ::testing::Values(MaskRow{0x2D, {true, false, true, true, false, true}},
                                           MaskRow{0xFF, {true, true, true, true, true, true}},
                                           MaskRow{0xC0, {false, false, false, false, false, false}}),
                         RowName());

struct AnalogStoreRow {
  const char* Name;
  int Mask;
  std::vector<int> Clicks;  // boxes clicked, 1..6
  Ending How;
  int Result;
  int Stored;
};
void PrintTo(const AnalogStoreRow& row, std::ostream* os) { *os << row.Name; }

class AnalogStore : public SetupDialogs, public ::testing::WithParamInterface<AnalogStoreRow> {};

TEST_P(AnalogStore, WritesTheWholeByteOnOkOnly) {
  const AnalogStoreRow& row = GetParam();
  CAnalogDialog dialog;
  dialog.m_AnalogMask = static_cast<std::uint8_t>(row.Mask);
  const int ended = RunModal(dialog, [&] {
    for (int box : row.Clicks) m_User.Click(dialog, CAnalogDialog::CheckBoxIds[static_cast<std::size_t>(box - 1)]);
    End(dialog, row.How);
  });
  EXPECT_EQ(ended, row.Result);
  EXPECT_EQ(dialog.m_AnalogMask, row.Stored);
}

INSTANTIATE_TEST_SUITE_P(Endings, AnalogStore,
                         ::testing::Values(AnalogStoreRow{"0xFF OK drops bits 6 and 7", 0xFF, {}, ClickOk, 1, 0x3F},
                                           AnalogStoreRow{"0xC0 OK", 0xC0, {}, ClickOk, 1, 0x00},
                                           AnalogStoreRow{"0xC0 Cancel keeps all", 0xC0, {}, ClickCancel, 2, 0xC0},
                                           AnalogStoreRow{"only Analog 4", 0x00, {4}, ClickOk, 1, 0x08},
                                           AnalogStoreRow{"only Analog 6", 0x00, {6}, ClickOk, 1, 0x20},
                                           AnalogStoreRow{"Enter on a box", 0x00, {1, 5}, EnterOnCheckBox, 1, 0x11},
                                           AnalogStoreRow{"Enter on OK", 0x00, {2}, EnterOnOk, 1, 0x02},
                                           AnalogStoreRow{"Enter on Cancel", 0x2D, {1}, EnterOnCancel, 2, 0x2D},
                                           AnalogStoreRow{"Escape", 0xED, {1}, Escape, 2, 0xED},
                                           AnalogStoreRow{"close box", 0xED, {1}, CloseBox, 2, 0xED}),
                         RowName());

// ---- Over a board ----

// Every setting of a virtual board changed through the main window's setup
// dialogs, saved, and read back.
TEST_F(SetupDialogs, EverySettingChangedSavedAndReadBack) {
  WindowHarness harness;
  const SettingsReport loaded = SampleSettings(3);
  auto board = harness.Platform.AddBoard("ABC", loaded);

  SettingsReport expected = loaded;
  expected[report_offset::AnalogInputs] =
      static_cast<std::uint8_t>((loaded[report_offset::AnalogInputs] | 0x02) & 0x3F);
  ASSERT_TRUE(loaded[report_offset::JoyMouse] & 0x80);
  expected[report_offset::JoyMouse] = 0x20;  // switched off, top speed
  expected[report_offset::JoyMouseDeadZone + 2] = 1;
  expected[report_offset::JoyMouseDeadZone + 3] = 254;
  expected[report_offset::KeyStickDeadZone + 0] = 5;
  expected[report_offset::KeyStickDeadZone + 1] = 250;
  KeyCodeTable::BuildReverseMap();
  expected[report_offset::KeyStickKeys] =
      KeyCodeTable::CodeAt(KeyCodeTable::IndexOfCode(loaded[report_offset::KeyStickKeys]) + 1);

  ASSERT_TRUE(harness.Run([&](ui::CConfigMainDialog& main) {
    EXPECT_TRUE(OpenAndDrive(main, res::IDC_KEYSTICK_SETUP, main.m_KeycodeDialog, [&] {
      const CKeycodeDialog& keys = main.m_KeycodeDialog;
      m_User.ChooseNext(keys, res::IDC_KEY_UP);
      m_User.Retype(keys, res::IDC_ZONE_TOP, "5");
      m_User.Retype(keys, res::IDC_ZONE_BOTTOM, "250");
      m_User.Click(keys, res::IDCANCEL);
    }));
    EXPECT_TRUE(OpenAndDrive(main, res::IDC_JOYMOUSE_SETUP, main.m_JoyMouseDialog, [&] {
      const CJoyMouseDialog& mouse = main.m_JoyMouseDialog;
      m_User.Click(mouse, res::IDC_JOYMOUSE_ENABLE);
      m_User.Retype(mouse, res::IDC_ZONE_LEFT, "1");
      m_User.Retype(mouse, res::IDC_ZONE_RIGHT, "254");
      m_User.Press(mouse, res::IDC_JOYMOUSE_SPEED, Key::End);
      m_User.Press(mouse, Key::Enter);
    }));
    EXPECT_TRUE(OpenAndDrive(main, res::IDC_ANALOG_SETUP, main.m_AnalogDialog, [&] {
      m_User.Click(main.m_AnalogDialog, res::IDC_ANALOG2);
      m_User.Click(main.m_AnalogDialog, res::IDOK);
    }));
    // Confirmed but not saved: the board still has its old settings.
    EXPECT_EQ(board->Stored(), loaded);
    m_User.Click(main, res::IDC_SAVE_SETTINGS);
    m_User.Click(main, res::IDC_REREAD_DEVICE);
    EXPECT_EQ(main.m_JoyMouseDialog.m_JoyMouseOptions, expected[report_offset::JoyMouse]);
  }));
  EXPECT_EQ(harness.MessageTexts(), Texts{Saved});
  for (std::size_t offset = report_offset::BoardId; offset < SettingsReportSize; ++offset)
    EXPECT_EQ(board->Stored()[offset], expected[offset]) << "byte " << offset;
  EXPECT_EQ(m_Joystick.Registered(), nullptr);
}

}  // namespace
}  // namespace qor::test
