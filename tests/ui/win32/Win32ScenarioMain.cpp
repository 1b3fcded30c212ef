// The scenarios on Win32: the common controls as the window programs start
// them, then every GoogleTest case.

#include <gtest/gtest.h>

#include "ui/framework/win32/ApplicationStart.h"

int main(int argc, char* argv[]) {
  testing::InitGoogleTest(&argc, argv);
  if (!qor::ui::win32::StartApplication()) return 1;
  return RUN_ALL_TESTS();
}
