#pragma once
// The window of a control class of the program's own, placed by a template
// item. The framework control that subclasses it paints it through the
// framework's painter.

#include <QWidget>

namespace qor::ui {
class CWnd;
}

namespace qor::ui::qt {

class CustomControlWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CustomControlWindow(QWidget* parent);

  void Subclass(CWnd* control) { m_Control = control; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CWnd* m_Control = nullptr;
};

}  // namespace qor::ui::qt
