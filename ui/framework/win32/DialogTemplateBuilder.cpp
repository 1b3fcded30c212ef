#include "ui/framework/win32/DialogTemplateBuilder.h"

#include "ui/framework/win32/Text.h"
#include "ui/framework/win32/Win32.h"

namespace qor::ui::win32 {
namespace {

using res::DialogItem;
using res::ItemKind;

class TemplateWriter {
 public:
  void Word(std::uint32_t value) { m_Words.push_back(static_cast<std::uint16_t>(value)); }
  void Dword(std::uint32_t value) {
    Word(value & 0xFFFF);
    Word(value >> 16);
  }
  void Text(const std::wstring& text) {
    for (const wchar_t c : text) Word(static_cast<std::uint16_t>(c));
    Word(0);
  }
  // A resource or class given by number.
  void Ordinal(std::uint16_t value) {
    Word(0xFFFF);
    Word(value);
  }
  void AlignDword() {
    if (m_Words.size() % 2) Word(0);
  }
  std::vector<std::uint16_t> Take() { return std::move(m_Words); }

 private:
  std::vector<std::uint16_t> m_Words;
};

DWORD TextAlignment(std::uint32_t style, DWORD left, DWORD centre, DWORD right) {
  if (style & res::AlignRight) return right;
  if (style & res::AlignCenter) return centre;
  return left;
}

DWORD KindStyle(const DialogItem& item) {
  switch (item.Kind) {
    case ItemKind::PushButton:
      return (item.Style & res::DefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    case ItemKind::GroupBox:
      return BS_GROUPBOX;
    case ItemKind::Static:
      return TextAlignment(item.Style, SS_LEFT, SS_CENTER, SS_RIGHT);
    // Pictures keep the template's rectangle; the program sets them when the
    // window's DPI is known.
    case ItemKind::Bitmap:
      return SS_BITMAP | SS_REALSIZECONTROL | SS_CENTERIMAGE;
    case ItemKind::Icon:
      return SS_ICON | SS_REALSIZECONTROL | SS_CENTERIMAGE;
    case ItemKind::Edit: {
      DWORD style = ES_AUTOHSCROLL | TextAlignment(item.Style, ES_LEFT, ES_CENTER, ES_RIGHT);
      if (item.Style & res::ReadOnly) style |= ES_READONLY;
      if (item.Style & res::Border) style |= WS_BORDER;
      if (item.Style & res::DigitsOnly) style |= ES_NUMBER;
      return style;
    }
    case ItemKind::DropDownList:
      return CBS_DROPDOWNLIST | WS_VSCROLL;
    case ItemKind::CheckBox:
      return BS_AUTOCHECKBOX;
    case ItemKind::UpDown:
      return UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    case ItemKind::TrackBar:
      return TBS_HORZ | TBS_BOTH | TBS_NOTICKS;
    case ItemKind::Custom:
      return 0;
  }
  return 0;
}

void WriteClass(TemplateWriter& out, ItemKind kind) {
  switch (kind) {
    case ItemKind::PushButton:
    case ItemKind::GroupBox:
    case ItemKind::CheckBox:
      return out.Ordinal(0x0080);
    case ItemKind::Edit:
      return out.Ordinal(0x0081);
    case ItemKind::Static:
    case ItemKind::Bitmap:
    case ItemKind::Icon:
      return out.Ordinal(0x0082);
    case ItemKind::DropDownList:
      return out.Ordinal(0x0085);
    case ItemKind::UpDown:
      return out.Text(UPDOWN_CLASSW);
    case ItemKind::TrackBar:
      return out.Text(TRACKBAR_CLASSW);
    case ItemKind::Custom:
      return out.Text(CustomControlClass);
  }
}

}  // namespace

std::vector<std::uint16_t> BuildDialogTemplate(const res::DialogTemplate& dialogTemplate) {
  TemplateWriter out;
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: the extended template
  out.Dword(0);      // helpID
  out.Dword(0);      // exStyle
  out.Dword(DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  out.Word(static_cast<std::uint32_t>(dialogTemplate.Items.size()));
  out.Word(0);
  out.Word(0);
  out.Word(static_cast<std::uint32_t>(dialogTemplate.Cx));
  out.Word(static_cast<std::uint32_t>(dialogTemplate.Cy));
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(Wide(dialogTemplate.Caption));
  out.Word(static_cast<std::uint32_t>(dialogTemplate.PointSize));
  out.Word(FW_NORMAL);
  out.Word(DEFAULT_CHARSET << 8);  // italic 0, then the character set
  out.Text(L"MS Shell Dlg");

  for (const DialogItem& item : dialogTemplate.Items) {
    out.AlignDword();
    out.Dword(0);  // helpID
    out.Dword(0);  // exStyle
    DWORD style = WS_CHILD | WS_VISIBLE | KindStyle(item);
    if (item.Style & res::TabStop) style |= WS_TABSTOP;
    if (item.Style & res::Disabled) style |= WS_DISABLED;
    out.Dword(style);
    out.Word(static_cast<std::uint32_t>(item.X));
    out.Word(static_cast<std::uint32_t>(item.Y));
    out.Word(static_cast<std::uint32_t>(item.Cx));
    out.Word(static_cast<std::uint32_t>(item.Cy));
    out.Dword(static_cast<std::uint32_t>(item.Id.Value));
    WriteClass(out, item.Kind);
    out.Text(Wide(item.Text));
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace qor::ui::win32
