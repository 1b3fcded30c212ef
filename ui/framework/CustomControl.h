#pragma once
// The window of a control class of the program's own, placed by a template
// item. The object that takes the window over draws it and hears its events.

#include <QWidget>
#include <functional>

namespace qor::ui {

class CustomControlWindow : public QWidget {
  Q_OBJECT

 public:
  explicit CustomControlWindow(QWidget* parent);

  using PaintHandler = std::function<void(QPainter& painter)>;
  void SetPaintHandler(PaintHandler handler) { m_Paint = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PaintHandler m_Paint;
};

}  // namespace qor::ui
