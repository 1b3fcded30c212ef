#pragma once
// Starts the Qt application of a window program. Without a display Qt would
// abort from inside its constructor with advice that does not help (reinstall
// the application); the programs say what is wrong instead.

#include <QApplication>
#include <memory>

namespace qor::ui::qt {

// The application on this session's display; nullptr when there is none,
// after one line on stderr that says so and names qorctl, or when a closed
// descriptor 0, 1 or 2 cannot be filled with /dev/null. The caller then exits
// with status 1. Called before anything else opens a file.
std::unique_ptr<QApplication> StartOnDisplay(int& argc, char** argv);

}  // namespace qor::ui::qt
