// The scenarios' user on Qt: real mouse clicks and key presses through Qt
// Test, into the widgets the framework's controls stand for.

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include "tests/ui/scenarios/Driver.h"
#include "ui/framework/qt/DialogWindow.h"
#include "ui/framework/qt/QtPainter.h"

namespace qor::test {
namespace {

using ui::qt::ItemOf;
using ui::qt::WindowOf;

Qt::Key QtKey(Key key) {
  switch (key) {
    case Key::Enter:
      return Qt::Key_Return;
    case Key::Escape:
      return Qt::Key_Escape;
    case Key::Tab:
      return Qt::Key_Tab;
    case Key::Space:
      return Qt::Key_Space;
    case Key::Up:
      return Qt::Key_Up;
    case Key::Down:
      return Qt::Key_Down;
    case Key::Right:
      return Qt::Key_Right;
    case Key::End:
      return Qt::Key_End;
    case Key::SelectAll:
      return Qt::Key_A;
  }
  return Qt::Key_unknown;
}

// Where a key goes: the focus of the dialog's window, else the window.
QWidget* KeyTarget(const ui::CDialog& dialog) {
  QWidget* window = WindowOf(dialog);
  if (!window) return nullptr;
  return window->focusWidget() ? window->focusWidget() : window;
}

// The control's pixel x, y: the device pixel at its middle, whatever the
// screen's pixel ratio.
class QtPicture final : public Driver::Picture {
 public:
  explicit QtPicture(QImage image) : m_Image(std::move(image)) {}
  ui::Colour At(int x, int y) const override {
    const qreal ratio = m_Image.devicePixelRatio();
    const QColor c = m_Image.pixelColor(static_cast<int>((x + 0.5) * ratio), static_cast<int>((y + 0.5) * ratio));
    return ui::Colour{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                      static_cast<std::uint8_t>(c.blue())};
  }

 private:
  QImage m_Image;
};

class QtDriver final : public Driver {
 public:
  bool DriveModal(ui::CDialog& dialog, const std::function<void()>& open, const std::function<void()>& body,
                  int leftOpen) override {
    bool ran = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QDialog* window = WindowOf(dialog);
      if (!window || !window->isVisible() || QApplication::activeModalWidget() != window) return;
      poll.stop();
      ran = true;
      // Key presses go where a person's would: to the focus of the active window.
      window->activateWindow();
      if (QTest::qWaitForWindowActive(window)) body();
      if (IsShown(dialog)) dialog.EndDialog(leftOpen);
    });
    poll.start(0);
    open();
    poll.stop();
    return ran;
  }

  void Click(const ui::CDialog& dialog, int id) override {
    QTest::mouseClick(ItemOf<QAbstractButton>(dialog, id), Qt::LeftButton);
  }

  void Focus(const ui::CDialog& dialog, int id) override { ItemOf(dialog, id)->setFocus(Qt::TabFocusReason); }

  bool HasFocus(const ui::CDialog& dialog, int id) override {
    return WindowOf(dialog) && WindowOf(dialog)->focusWidget() == ItemOf(dialog, id);
  }

  void Press(const ui::CDialog& dialog, Key key) override {
    QTest::keyClick(KeyTarget(dialog), QtKey(key), key == Key::SelectAll ? Qt::ControlModifier : Qt::NoModifier);
  }

  void Type(const ui::CDialog& dialog, std::string_view text) override {
    QTest::keyClicks(KeyTarget(dialog), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }

  void CloseBox(const ui::CDialog& dialog) override { WindowOf(dialog)->close(); }

  bool IsShown(const ui::CDialog& dialog) override { return WindowOf(dialog) && WindowOf(dialog)->isVisible(); }

  void FlushPaints() override {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }

  bool WaitCursorShown() override {
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
  }

  std::unique_ptr<Picture> Draw(int width, int height, const std::function<void(ui::CDC& dc)>& draw) override {
    // At the screen's pixel ratio, as the control would be painted there.
    const qreal ratio = qApp->devicePixelRatio();
    QImage image(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      ui::qt::QtDC dc(painter);
      draw(dc);
    }
    return std::make_unique<QtPicture>(std::move(image));
  }

  std::unique_ptr<Picture> Grab(const ui::CDialog& dialog, int id) override {
    return std::make_unique<QtPicture>(ItemOf(dialog, id)->grab().toImage());
  }
};

}  // namespace

Driver& TheDriver() {
  static QtDriver driver;
  return driver;
}

}  // namespace qor::test
