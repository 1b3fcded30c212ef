#include "ui/framework/UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qor::ui {

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    arrow->setIconSize(QSize(6, 4));
    layout->addWidget(arrow);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CSpinButtonCtrl::SetBuddy(QLineEdit* buddy) {
  buddy_ = buddy;
  if (!buddy_) return;
  PlaceBesideBuddy();
  buddy_->installEventFilter(this);
}

void CSpinButtonCtrl::PlaceBesideBuddy() {
  if (!buddy_) return;
  QRect edit = buddy_->geometry();
  const int w = width();
  buddy_->setGeometry(edit.x(), edit.y(), edit.width() - w, edit.height());
  setGeometry(edit.x() + edit.width() - w, edit.y(), w, edit.height());
}

void CSpinButtonCtrl::SetRange(int lower, int upper) {
  lower_ = lower;
  upper_ = upper;
}

void CSpinButtonCtrl::SetPos(int position) {
  position_ = std::clamp(position, std::min(lower_, upper_), std::max(lower_, upper_));
  if (buddy_) buddy_->setText(QString::number(position_));
}

int CSpinButtonCtrl::GetPos() {
  if (!buddy_) return position_;
  const QString text = buddy_->text();
  const bool digitsOnly =
      !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  bool ok = false;
  const int value = digitsOnly ? text.toInt(&ok, 10) : 0;
  if (ok && value >= std::min(lower_, upper_) && value <= std::max(lower_, upper_)) position_ = value;
  return position_;
}

void CSpinButtonCtrl::Step(int delta) {
  const int current = GetPos();
  const int next = current + (upper_ >= lower_ ? delta : -delta);
  // No wrap-around at either end.
  if (next < std::min(lower_, upper_) || next > std::max(lower_, upper_)) return;
  SetPos(next);
}

bool CSpinButtonCtrl::eventFilter(QObject* watched, QEvent* event) {
  if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? +1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qor::ui
