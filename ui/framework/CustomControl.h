#pragma once
// The window of a control class of the program's own, named by a template
// item. The object that takes the window over draws it and hears its events.

#include <QWidget>
#include <functional>

namespace qor::ui {

class CustomControlWindow : public QWidget {
  Q_OBJECT

 public:
  CustomControlWindow(const QString& windowClass, QWidget* parent);

  const QString& WindowClass() const { return windowClass_; }

  using PaintHandler = std::function<void(QPainter& painter)>;
  void SetPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString windowClass_;
  PaintHandler paint_;
};

}  // namespace qor::ui
