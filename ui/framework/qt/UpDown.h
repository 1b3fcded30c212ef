#pragma once
// An up-down control attached to the edit before it: two arrows at the edit's
// right edge that step a position and write it into the edit as a number.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace qor::ui::qt {

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  // Takes the buddy's place at its right edge; the buddy's arrow keys step too.
  void SetBuddy(QLineEdit* buddy);
  QLineEdit* GetBuddy() const { return m_Buddy; }
  // Takes the buddy's place again after both were placed anew.
  void PlaceBesideBuddy();

  void SetRange(int lower, int upper);
  // Clamps to the range and writes the number into the buddy.
  void SetPos(int position);
  // The buddy's text when it is plain digits (leading zeros allowed) within
  // the range, which then becomes the position; any other text, an empty one
  // included, leaves the last position.
  int GetPos();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Step(int delta);

  QLineEdit* m_Buddy = nullptr;
  QToolButton* m_Up;
  QToolButton* m_Down;
  int m_Lower = 0;
  int m_Upper = 100;
  int m_Position = 0;
};

}  // namespace qor::ui::qt
