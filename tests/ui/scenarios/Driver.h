#pragma once
// What a person does to the windows, as each toolkit's test runner does it
// with real input: clicks, keys and typing reach the controls the way the
// user's would. The scenarios use only this and the framework's controls, so
// they run unchanged on every toolkit; each toolkit's runner defines
// TheDriver (tests/ui/qt/ for Qt).

#include <functional>
#include <memory>
#include <string_view>

#include "ui/framework/Dialog.h"
#include "ui/framework/Painter.h"

namespace qor::test {

enum class Key { Enter, Escape, Tab, Space, Up, Down, Right, End, SelectAll };

class Driver {
 public:
  virtual ~Driver() = default;

  // Runs `open`, which runs `dialog` modally, and `body` inside that modal
  // loop once the dialog's window is up, the active modal window and active.
  // A body that leaves the window open has it ended with `leftOpen`. False
  // when the window never came up, so a test can fail instead of driving
  // nothing.
  virtual bool DriveModal(ui::CDialog& dialog, const std::function<void()>& open, const std::function<void()>& body,
                          int leftOpen) = 0;

  // A mouse click on a button or check box.
  virtual void Click(const ui::CDialog& dialog, int id) = 0;
  // Gives the control the focus, as Tab would.
  virtual void Focus(const ui::CDialog& dialog, int id) = 0;
  virtual bool HasFocus(const ui::CDialog& dialog, int id) = 0;
  // A key pressed where the focus is.
  virtual void Press(const ui::CDialog& dialog, Key key) = 0;
  // Characters typed where the focus is, one key each.
  virtual void Type(const ui::CDialog& dialog, std::string_view text) = 0;
  // The close box of the dialog's window.
  virtual void CloseBox(const ui::CDialog& dialog) = 0;
  // Whether the dialog's window is up.
  virtual bool IsShown(const ui::CDialog& dialog) = 0;
  // Paints what waits to be painted, as the event loop would next.
  virtual void FlushPaints() = 0;
  virtual bool WaitCursorShown() = 0;

  // A picture of `width` × `height` pixels drawn by `draw` through the
  // toolkit's painter, read back as the screen would show it.
  class Picture {
   public:
    virtual ~Picture() = default;
    virtual ui::Colour At(int x, int y) const = 0;
  };
  virtual std::unique_ptr<Picture> Draw(int width, int height, const std::function<void(ui::CDC& dc)>& draw) = 0;
  // What a control of an open dialog shows now.
  virtual std::unique_ptr<Picture> Grab(const ui::CDialog& dialog, int id) = 0;

  // The common steps.
  void Press(const ui::CDialog& dialog, int id, Key key) {
    Focus(dialog, id);
    Press(dialog, key);
  }
  // Replaces an edit's text by typing, as a person selecting it all would.
  void Retype(const ui::CDialog& dialog, int id, std::string_view text) {
    Press(dialog, id, Key::SelectAll);
    Type(dialog, text);
  }
  // A user's choice of the next entry of a list, as the arrow key makes it.
  void ChooseNext(const ui::CDialog& dialog, int id) { Press(dialog, id, Key::Down); }
};

Driver& TheDriver();

}  // namespace qor::test
