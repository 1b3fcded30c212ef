#include "ui/framework/Dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSlider>
#include <algorithm>

#include "ui/framework/CheckBox.h"
#include "ui/framework/CustomControl.h"
#include "ui/framework/DialogFont.h"
#include "ui/framework/DialogWindow.h"
#include "ui/framework/GroupFrame.h"
#include "ui/framework/Picture.h"
#include "ui/framework/Resources.h"
#include "ui/framework/UpDown.h"

namespace qor::ui {

using res::DialogItem;
using res::ItemKind;

namespace {

Qt::Alignment TextAlignment(std::uint32_t style) {
  if (style & res::AlignRight) return Qt::AlignRight;
  if (style & res::AlignCenter) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

QWidget* CreateControl(const DialogItem& item, QWidget* parent) {
  const QString text = QString::fromLatin1(item.Text);
  switch (item.Kind) {
    case ItemKind::PushButton: {
      auto* button = new QPushButton(text, parent);
      // Enter is routed by the dialog itself, as the dialog manager does.
      button->setAutoDefault(false);
      button->setDefault(item.Style & res::DefaultButton);
      return button;
    }
    case ItemKind::GroupBox: {
      auto* group = new GroupFrame(text, parent);
      group->setAttribute(Qt::WA_TransparentForMouseEvents);
      return group;
    }
    case ItemKind::Static: {
      auto* label = new QLabel(text, parent);
      label->setAlignment(TextAlignment(item.Style) | Qt::AlignTop);
      return label;
    }
    case ItemKind::Bitmap:
      return new Picture(item.Resource, {}, parent);
    case ItemKind::Icon:
      return new Picture(item.Resource, QSize(32, 32), parent);
    case ItemKind::Edit: {
      auto* edit = new QLineEdit(parent);
      edit->setAlignment(TextAlignment(item.Style) | Qt::AlignVCenter);
      edit->setFrame(item.Style & res::Border);
      if (item.Style & res::ReadOnly) {
        edit->setReadOnly(true);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
      }
      if (item.Style & res::DigitsOnly)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
      return edit;
    }
    case ItemKind::DropDownList: {
      auto* combo = new QComboBox(parent);
      combo->setEditable(false);
      return combo;
    }
    case ItemKind::CheckBox:
      return new CheckBox(text, parent);
    case ItemKind::UpDown:
      return new CSpinButtonCtrl(parent);
    case ItemKind::TrackBar: {
      auto* slider = new QSlider(Qt::Horizontal, parent);
      slider->setTickPosition(QSlider::NoTicks);
      return slider;
    }
    case ItemKind::Custom:
      return new CustomControlWindow(parent);
  }
  return nullptr;
}

Qt::FocusPolicy FocusPolicyOf(const DialogItem& item) {
  if (item.Style & res::TabStop) return Qt::StrongFocus;
  switch (item.Kind) {
    case ItemKind::Edit:
    case ItemKind::DropDownList:
    case ItemKind::PushButton:
    case ItemKind::CheckBox:
      return Qt::ClickFocus;
    default:
      return Qt::NoFocus;
  }
}

}  // namespace

CDialog::CDialog(int templateId) : m_TemplateId(templateId) {}

CDialog::~CDialog() { delete m_Window; }

int CDialog::DoModal() {
  const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(m_TemplateId);
  if (!dialogTemplate) BindingFault(QStringLiteral("no such template"));

  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = QApplication::activeWindow();
  auto* window = new DialogWindow(this, owner);
  m_Window = window;
  window->setWindowTitle(QString::fromLatin1(dialogTemplate->Caption));
  // The template's "MS Shell Dlg" at its standard size is the desktop's font.
  const QFont font = DialogFont();
  window->setFont(font);
  m_Units = DialogBaseUnitsOf(font);
  m_Client = new QWidget(window);

  CreateControls(*dialogTemplate);
  PlaceControls(*dialogTemplate);
  m_Clicked.clear();
  m_Notifications.clear();
  m_SystemMenu.clear();
  MessageMap();
  ConnectNotifications();

  if (OnInitDialog()) {
    for (const DialogItem& item : dialogTemplate->Items) {
      QWidget* control = FindItem(item.Id);
      if ((item.Style & res::TabStop) && control && control->isEnabled()) {
        control->setFocus(Qt::TabFocusReason);
        break;
      }
    }
  }
  // The lists are filled now: grow the window until every text fits.
  const DialogBaseUnits fitted = FitBaseUnits(*dialogTemplate, FitMetricsOf(font, *window->style()), ListTexts());
  if (fitted.X != m_Units.X || fitted.Y != m_Units.Y) {
    m_Units = fitted;
    PlaceControls(*dialogTemplate);
  }

  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  window->ShowClient(m_Client, screen, owner);

  const int result = window->exec();
  m_Items.clear();
  m_Controls.clear();
  m_Window = nullptr;
  delete window;
  return result;
}

void CDialog::EndDialog(int result) {
  if (m_Window) m_Window->EndWith(result);
}

QWidget* CDialog::FindItem(int id) const {
  const auto found = m_Items.find(id);
  return found == m_Items.end() ? nullptr : found->second;
}

QWidget* CDialog::GetDlgItem(int id) const {
  if (!HasDlgItem(id)) BindingFault(QStringLiteral("no control %1 in the template").arg(id));
  QWidget* control = FindItem(id);
  if (!control) BindingFault(QStringLiteral("control %1 asked for while the window is closed").arg(id));
  return control;
}

bool CDialog::HasDlgItem(int id) const {
  const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(m_TemplateId);
  if (!dialogTemplate || id == res::IDC_STATIC) return false;
  return std::any_of(dialogTemplate->Items.begin(), dialogTemplate->Items.end(),
                     [id](const DialogItem& item) { return item.Id == id; });
}

void CDialog::WrongKind(int id, const QWidget* control, const char* wanted) const {
  BindingFault(QStringLiteral("control %1 is a %2, not a %3")
                   .arg(id)
                   .arg(QString::fromLatin1(control->metaObject()->className()), QString::fromLatin1(wanted)));
}

void CDialog::BindingFault(const QString& what) const {
  const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(m_TemplateId);
  if (!dialogTemplate) qFatal("Dialog %d: %s", m_TemplateId, qPrintable(what));
  qFatal("Dialog %d \"%s\": %s", m_TemplateId, dialogTemplate->Caption, qPrintable(what));
}

QDialog* CDialog::Window() const { return m_Window.data(); }

bool CDialog::OnInitDialog() {
  DoDataExchange();
  return true;
}

void CDialog::SendCommand(int id) {
  if (const auto handler = m_Clicked.find(id); handler != m_Clicked.end()) {
    handler->second();
  } else if (id == res::IDOK) {
    OnOK();
  } else if (id == res::IDCANCEL) {
    OnCancel();
  }
}

void CDialog::OnSysCommand(int id) {
  if (id == SC_CLOSE) SendCommand(res::IDCANCEL);
}

void CDialog::AppendSystemMenu(const QString& text, int commandId) { m_SystemMenu.emplace_back(text, commandId); }

void CDialog::AddHandler(Notification what, int id, std::function<void()> handler) {
  m_Notifications.emplace_back(what, id, std::move(handler));
}

int CDialog::DefaultCommand() const {
  const res::DialogTemplate* dialogTemplate = res::FindDialogTemplate(m_TemplateId);
  for (const DialogItem& item : dialogTemplate->Items)
    if (item.Style & res::DefaultButton) return item.Id;
  return res::IDOK;
}

void CDialog::CreateControls(const res::DialogTemplate& dialogTemplate) {
  m_Items.clear();
  m_Controls.clear();
  QWidget* previous = nullptr;
  std::vector<QWidget*> groups;
  for (const DialogItem& item : dialogTemplate.Items) {
    QWidget* control = CreateControl(item, m_Client);
    control->setFocusPolicy(FocusPolicyOf(item));
    control->setEnabled(!(item.Style & res::Disabled));
    control->setProperty("dialogItemId", item.Id);
    // A disabled control hears no mouse, so it shows no tip.
    control->installEventFilter(m_Window);
    if (item.Id != res::IDC_STATIC) {
      control->setObjectName(QStringLiteral("item%1").arg(item.Id));
      m_Items[item.Id] = control;
    }
    if (item.Kind == ItemKind::GroupBox) groups.push_back(control);
    if (item.Kind == ItemKind::UpDown) {
      auto* upDown = static_cast<CSpinButtonCtrl*>(control);
      upDown->SetBuddy(qobject_cast<QLineEdit*>(previous));
    }
    m_Controls.push_back(control);
    previous = control;
  }
  // Group boxes only frame the controls; they stay beneath them.
  for (QWidget* group : groups) group->lower();
}

void CDialog::PlaceControls(const res::DialogTemplate& dialogTemplate) {
  const PixelRect client = MapDialogRect(0, 0, dialogTemplate.Cx, dialogTemplate.Cy, m_Units);
  m_Client->setFixedSize(client.Width(), client.Height());
  for (std::size_t index = 0; index < m_Controls.size(); ++index) {
    const DialogItem& item = dialogTemplate.Items[index];
    QWidget* control = m_Controls[index];
    const PixelRect r = MapDialogRect(item.X, item.Y, item.Cx, item.Cy, m_Units);
    QRect rect(r.Left, r.Top, r.Width(), r.Height());
    if (item.Kind == ItemKind::DropDownList) {
      // The template gives the dropped-down height; the closed box is one line.
      auto* combo = static_cast<QComboBox*>(control);
      const int closed = combo->sizeHint().height();
      combo->setMaxVisibleItems(std::max(1, (rect.height() - closed) / std::max(1, combo->fontMetrics().height())));
      rect.setHeight(closed);
    }
    control->setGeometry(rect);
    if (item.Kind == ItemKind::UpDown) static_cast<CSpinButtonCtrl*>(control)->PlaceBesideBuddy();
  }
}

ListEntries CDialog::ListTexts() const {
  ListEntries entries;
  for (const auto& [id, control] : m_Items) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
      std::vector<std::string>& texts = entries[id];
      for (int i = 0; i < combo->count(); ++i) texts.push_back(combo->itemText(i).toStdString());
    }
  }
  return entries;
}

void CDialog::ConnectNotifications() {
  for (const auto& [id, control] : m_Items) {
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      const int command = id;
      QObject::connect(button, &QAbstractButton::clicked, m_Window, [this, command] { SendCommand(command); });
    }
  }
  // A click handler names a button of the template; OK and cancel may also
  // come from the keys alone.
  for (const auto& entry : m_Clicked)
    if (entry.first != res::IDOK && entry.first != res::IDCANCEL) DlgItem<QAbstractButton>(entry.first);
  for (const auto& [what, id, handler] : m_Notifications) {
    switch (what) {
      case Notification::SelChange:
        // A user's choice only, never a selection the program sets.
        QObject::connect(DlgItem<QComboBox>(id), &QComboBox::activated, m_Window, [h = handler] { h(); });
        break;
      case Notification::EditChange:
        QObject::connect(DlgItem<QLineEdit>(id), &QLineEdit::textChanged, m_Window, [h = handler] { h(); });
        break;
      case Notification::KillFocus:
        m_Window->WatchFocusLoss(GetDlgItem(id), handler);
        break;
    }
  }
}

void CDialog::ShowSystemMenu(const QPoint& globalPos) {
  QMenu menu(m_Window);
  QAction* close = menu.addAction(ResourceString(res::IDS_CLOSE));
  close->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
  close->setData(SC_CLOSE);
  for (const auto& [text, command] : m_SystemMenu) {
    menu.addSeparator();
    menu.addAction(text)->setData(command);
  }
  if (QAction* chosen = menu.exec(globalPos)) OnSysCommand(chosen->data().toInt());
}

}  // namespace qor::ui
