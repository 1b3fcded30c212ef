#include "ui/framework/qt/DialogWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "ui/framework/Dialog.h"
#include "ui/framework/Resources.h"
#include "ui/framework/qt/CheckBox.h"
#include "ui/framework/qt/CustomControl.h"
#include "ui/framework/qt/DialogFont.h"
#include "ui/framework/qt/GroupFrame.h"
#include "ui/framework/qt/Picture.h"
#include "ui/framework/qt/Pictures.h"
#include "ui/framework/qt/UpDown.h"

namespace qor::ui::qt {
namespace {

using res::DialogItem;
using res::ItemKind;
using Notification = CDialog::Notification;

QString Text(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

Qt::Alignment TextAlignment(std::uint32_t style) {
  if (style & res::AlignRight) return Qt::AlignRight;
  if (style & res::AlignCenter) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

QWidget* CreateControl(const DialogItem& item, QWidget* parent) {
  const QString text = QString::fromUtf8(item.Text);
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
      return new UpDown(parent);
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

// Before a window is shown the platform may not know its frame: a title bar
// is about two lines of the font, the border a few pixels.
QMargins EstimatedFrame(const QFontMetrics& metrics) { return QMargins(4, 2 * metrics.height() + 4, 4, 4); }

// The place of a window of `size` with `frame` around it, centred on
// `centre` and kept on `available`.
QPoint CentredPlace(QSize size, QMargins frame, QPoint centre, const QRect& available) {
  const QSize outer = size.grownBy(frame);
  const int x = std::clamp(centre.x() - outer.width() / 2, available.left(),
                           std::max(available.left(), available.right() + 1 - outer.width()));
  const int y = std::clamp(centre.y() - outer.height() / 2, available.top(),
                           std::max(available.top(), available.bottom() + 1 - outer.height()));
  return QPoint(x, y);
}

}  // namespace

DialogWindow::DialogWindow(CDialog& dialog, const res::DialogTemplate& dialogTemplate, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      m_Dialog(dialog),
      m_Template(dialogTemplate),
      m_Client(new QWidget(this)) {
  setModal(true);
  setWindowTitle(QString::fromUtf8(dialogTemplate.Caption));
  // The template's "MS Shell Dlg" at its standard size is the desktop's font.
  const QFont font = DialogFont();
  setFont(font);
  m_Units = DialogBaseUnitsOf(font);
  CreateControls();
  PlaceControls();
}

QWidget* DialogWindow::Item(int id) const {
  const auto found = m_Items.find(id);
  return found == m_Items.end() ? nullptr : found->second;
}

void DialogWindow::CreateControls() {
  QWidget* previous = nullptr;
  std::vector<QWidget*> groups;
  for (const DialogItem& item : m_Template.Items) {
    QWidget* control = CreateControl(item, m_Client);
    control->setFocusPolicy(FocusPolicyOf(item));
    control->setEnabled(!(item.Style & res::Disabled));
    // A disabled control hears no mouse, so it shows no tip; an edit
    // reports losing the focus.
    control->installEventFilter(this);
    if (item.Id != res::IDC_STATIC) {
      control->setProperty("dialogItemId", item.Id.Value);
      control->setObjectName(QStringLiteral("item%1").arg(item.Id));
      m_Items[item.Id] = control;
      ConnectNotifications(item.Id, control);
    }
    if (item.Kind == ItemKind::GroupBox) groups.push_back(control);
    if (item.Kind == ItemKind::UpDown) static_cast<UpDown*>(control)->SetBuddy(qobject_cast<QLineEdit*>(previous));
    m_Controls.push_back(control);
    previous = control;
  }
  // Group boxes only frame the controls; they stay beneath them.
  for (QWidget* group : groups) group->lower();
}

void DialogWindow::ConnectNotifications(int id, QWidget* control) {
  if (auto* button = qobject_cast<QAbstractButton*>(control))
    connect(button, &QAbstractButton::clicked, this, [this, id] { m_Dialog.OnNotify(id, Notification::Clicked); });
  // A user's choice only, never a selection the program sets.
  if (auto* combo = qobject_cast<QComboBox*>(control))
    connect(combo, &QComboBox::activated, this, [this, id] { m_Dialog.OnNotify(id, Notification::SelChange); });
  if (auto* edit = qobject_cast<QLineEdit*>(control))
    connect(edit, &QLineEdit::textChanged, this, [this, id] { m_Dialog.OnNotify(id, Notification::EditChange); });
}

void DialogWindow::PlaceControls() {
  const PixelRect client = MapDialogRect(0, 0, m_Template.Cx, m_Template.Cy, m_Units);
  m_Client->setFixedSize(client.Width(), client.Height());
  for (std::size_t index = 0; index < m_Controls.size(); ++index) {
    const DialogItem& item = m_Template.Items[index];
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
    if (item.Kind == ItemKind::UpDown) static_cast<UpDown*>(control)->PlaceBesideBuddy();
  }
}

ListEntries DialogWindow::ListTexts() const {
  ListEntries entries;
  for (const auto& [id, control] : m_Items) {
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
      std::vector<std::string>& texts = entries[id];
      for (int i = 0; i < combo->count(); ++i) texts.push_back(combo->itemText(i).toStdString());
    }
  }
  return entries;
}

void DialogWindow::FocusFirstTabStop() {
  for (std::size_t index = 0; index < m_Controls.size(); ++index) {
    QWidget* control = m_Controls[index];
    if ((m_Template.Items[index].Style & res::TabStop) && control->isEnabled()) {
      control->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void DialogWindow::FitAndPlace(QWidget* owner) {
  const DialogBaseUnits fitted = FitBaseUnits(m_Template, FitMetricsOf(font(), *style()), ListTexts());
  if (fitted.X != m_Units.X || fitted.Y != m_Units.Y) {
    m_Units = fitted;
    PlaceControls();
  }

  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  const QSize clientSize = m_Client->size();
  const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), clientSize);
  // The window's frame takes room too: an owner that is up shows how much;
  // before the first window the platform may tell, else it is estimated.
  const bool ownerShown = owner && owner->isVisible();
  QMargins frame = EstimatedFrame(fontMetrics());
  if (ownerShown) {
    const QRect outer = owner->frameGeometry(), inner = owner->geometry();
    frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                     outer.bottom() - inner.bottom());
  } else {
    create();
    if (windowHandle() && !windowHandle()->frameMargins().isNull()) frame = windowHandle()->frameMargins();
  }
  const QSize room = available.size().shrunkBy(frame);
  if (clientSize.width() <= room.width() && clientSize.height() <= room.height()) {
    m_Client->move(0, 0);
    setFixedSize(clientSize);
  } else {
    // Too large for the screen: the whole client area in a scroll area sized
    // to the screen, every control reachable, the layout inside unchanged.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(false);
    scroll->setWidget(m_Client);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll);
    const bool tall = clientSize.height() > room.height();
    const bool wide = clientSize.width() + (tall ? bar : 0) > room.width();
    setFixedSize(std::min(clientSize.width() + (tall ? bar : 0), room.width()),
                 std::min(clientSize.height() + (wide ? bar : 0), room.height()));
  }
  // Centred on the owner, else on the screen, and kept on the screen.
  if (ownerShown) {
    move(CentredPlace(size(), frame, owner->frameGeometry().center(), available));
  } else {
    m_CentredWith = frame;
    move(CentredPlace(size(), frame, available.center(), available));
  }
}

void DialogWindow::CentreOnScreen() {
  if (!m_CentredWith || !isVisible() || !windowHandle() || !screen()) return;
  const QMargins frame = windowHandle()->frameMargins();
  if (frame == *m_CentredWith) return;
  // A frame the platform reports is the real one: centred once more, then left
  // where the user puts it.
  if (frame.isNull())
    m_CentredWith = frame;
  else
    m_CentredWith.reset();
  const QRect available = screen()->availableGeometry();
  move(CentredPlace(size(), frame, available.center(), available));
}

void DialogWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen();
}

void DialogWindow::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  CentreOnScreen();
}

DialogWindow* WindowOf(const CDialog& dialog) { return dynamic_cast<DialogWindow*>(dialog.GetHost()); }

void DialogWindow::EnableWindow(int id, bool enable) { m_Items.at(id)->setEnabled(enable); }
bool DialogWindow::IsWindowEnabled(int id) const { return m_Items.at(id)->isEnabled(); }

void DialogWindow::SetWindowText(int id, const std::string& text) {
  QWidget* control = m_Items.at(id);
  if (auto* edit = qobject_cast<QLineEdit*>(control))
    edit->setText(Text(text));
  else if (auto* button = qobject_cast<QAbstractButton*>(control))
    button->setText(Text(text));
  else if (auto* label = qobject_cast<QLabel*>(control))
    label->setText(Text(text));
}

std::string DialogWindow::GetWindowText(int id) const {
  const QWidget* control = m_Items.at(id);
  QString text;
  if (const auto* edit = qobject_cast<const QLineEdit*>(control))
    text = edit->text();
  else if (const auto* button = qobject_cast<const QAbstractButton*>(control))
    text = button->text();
  else if (const auto* label = qobject_cast<const QLabel*>(control))
    text = label->text();
  else if (const auto* combo = qobject_cast<const QComboBox*>(control))
    text = combo->currentText();
  return text.toStdString();
}

void DialogWindow::ResetContent(int id) { As<QComboBox>(id)->clear(); }

int DialogWindow::AddString(int id, const std::string& text) {
  auto* combo = As<QComboBox>(id);
  // A list without a selection keeps none: the first entry is not chosen by itself.
  const bool selected = combo->currentIndex() >= 0;
  combo->addItem(Text(text));
  if (!selected) combo->setCurrentIndex(-1);
  return combo->count() - 1;
}

void DialogWindow::SetCurSel(int id, int index) { As<QComboBox>(id)->setCurrentIndex(index); }
int DialogWindow::GetCurSel(int id) const { return As<QComboBox>(id)->currentIndex(); }
int DialogWindow::GetCount(int id) const { return As<QComboBox>(id)->count(); }
std::string DialogWindow::GetLBText(int id, int index) const {
  return As<QComboBox>(id)->itemText(index).toStdString();
}

void DialogWindow::SetCheck(int id, bool checked) { As<QAbstractButton>(id)->setChecked(checked); }
bool DialogWindow::GetCheck(int id) const { return As<QAbstractButton>(id)->isChecked(); }

void DialogWindow::SetRange(int id, int lower, int upper) {
  if (auto* upDown = qobject_cast<UpDown*>(m_Items.at(id)))
    upDown->SetRange(lower, upper);
  else
    As<QSlider>(id)->setRange(lower, upper);
}

void DialogWindow::SetPos(int id, int position) {
  if (auto* upDown = qobject_cast<UpDown*>(m_Items.at(id)))
    upDown->SetPos(position);
  else
    As<QSlider>(id)->setValue(position);
}

int DialogWindow::GetPos(int id) {
  if (auto* upDown = qobject_cast<UpDown*>(m_Items.at(id))) return upDown->GetPos();
  return As<QSlider>(id)->value();
}

void DialogWindow::Subclass(int id, CWnd& control) { As<CustomControlWindow>(id)->Subclass(&control); }
void DialogWindow::Invalidate(int id) { m_Items.at(id)->update(); }
Size DialogWindow::GetClientSize(int id) const {
  const QWidget* control = m_Items.at(id);
  return Size{control->width(), control->height()};
}

void DialogWindow::SetIcon(int resource) { setWindowIcon(ResourceIcon(resource)); }
void DialogWindow::AddToolTip(int id, const std::string& text) { m_Items.at(id)->setToolTip(Text(text)); }
void DialogWindow::AppendSystemMenu(const std::string& text, int command) {
  m_SystemMenu.emplace_back(Text(text), command);
}

void DialogWindow::EndDialog(int result) {
  m_Ending = true;
  m_Ended = true;
  done(result);
  m_Ending = false;
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      m_Dialog.SendCommand(res::IDCANCEL);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter on a push button presses it; anywhere else it sends the
      // default button's command.
      if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
        button->click();
      else
        m_Dialog.SendCommand(m_Dialog.DefaultCommand());
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void DialogWindow::closeEvent(QCloseEvent* event) {
  // The close box asks the dialog; only the dialog ends itself.
  event->ignore();
  if (!m_Ending) m_Dialog.OnSysCommand(CDialog::SC_CLOSE);
}

void DialogWindow::reject() {
  if (!m_Ending) m_Dialog.SendCommand(res::IDCANCEL);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* close = menu.addAction(QString::fromStdString(ResourceString(res::IDS_CLOSE)));
  close->setShortcut(QKeySequence(QStringLiteral("Alt+F4")));
  close->setData(CDialog::SC_CLOSE);
  for (const auto& [text, command] : m_SystemMenu) {
    menu.addSeparator();
    menu.addAction(text)->setData(command);
  }
  if (QAction* chosen = menu.exec(event->globalPos())) m_Dialog.OnSysCommand(chosen->data().toInt());
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    if (const auto* control = qobject_cast<QWidget*>(watched); control && !control->isEnabled()) return true;
  }
  if (event->type() == QEvent::FocusOut) {
    if (const QVariant id = watched->property("dialogItemId"); id.isValid() && qobject_cast<QLineEdit*>(watched))
      m_Dialog.OnNotify(id.toInt(), Notification::KillFocus);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace qor::ui::qt
