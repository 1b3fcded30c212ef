#pragma once

#include "ui/framework/Toolkit.h"

namespace qor::ui {

// Shows the wait cursor for the life of the object.
class CWaitCursor {
 public:
  CWaitCursor() { toolkit::BeginWaitCursor(); }
  ~CWaitCursor() { toolkit::EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace qor::ui
