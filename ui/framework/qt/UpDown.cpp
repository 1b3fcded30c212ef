#include "ui/framework/qt/UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qor::ui::qt {

UpDown::UpDown(QWidget* parent) : QWidget(parent), m_Up(new QToolButton(this)), m_Down(new QToolButton(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QToolButton* arrow : {m_Up, m_Down}) {
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    arrow->setIconSize(QSize(6, 4));
    layout->addWidget(arrow);
  }
  m_Up->setArrowType(Qt::UpArrow);
  m_Down->setArrowType(Qt::DownArrow);
  connect(m_Up, &QToolButton::clicked, this, [this] { Step(+1); });
  connect(m_Down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetBuddy(QLineEdit* buddy) {
  m_Buddy = buddy;
  if (!m_Buddy) return;
  PlaceBesideBuddy();
  m_Buddy->installEventFilter(this);
}

void UpDown::PlaceBesideBuddy() {
  if (!m_Buddy) return;
  QRect edit = m_Buddy->geometry();
  const int w = width();
  m_Buddy->setGeometry(edit.x(), edit.y(), edit.width() - w, edit.height());
  setGeometry(edit.x() + edit.width() - w, edit.y(), w, edit.height());
}

void UpDown::SetRange(int lower, int upper) {
  m_Lower = lower;
  m_Upper = upper;
}

void UpDown::SetPos(int position) {
  m_Position = std::clamp(position, std::min(m_Lower, m_Upper), std::max(m_Lower, m_Upper));
  if (m_Buddy) m_Buddy->setText(QString::number(m_Position));
}

int UpDown::GetPos() {
  if (!m_Buddy) return m_Position;
  const QString text = m_Buddy->text();
  const bool digitsOnly =
      !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  bool ok = false;
  const int value = digitsOnly ? text.toInt(&ok, 10) : 0;
  if (ok && value >= std::min(m_Lower, m_Upper) && value <= std::max(m_Lower, m_Upper)) m_Position = value;
  return m_Position;
}

void UpDown::Step(int delta) {
  const int current = GetPos();
  const int next = current + (m_Upper >= m_Lower ? delta : -delta);
  // No wrap-around at either end.
  if (next < std::min(m_Lower, m_Upper) || next > std::max(m_Lower, m_Upper)) return;
  SetPos(next);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_Buddy && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qor::ui::qt
