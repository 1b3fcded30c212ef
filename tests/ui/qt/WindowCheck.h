#pragma once
// Checks of a window as a person sees it, shared by the window tests: every
// text inside its control, group frames through their titles, check boxes
// with their whole indicator. Each returns what is wrong, or nothing.

#include <QStringList>

class QWidget;

namespace qor::test {

QStringList ClippedTexts(QWidget* window);
QStringList MisplacedGroupFrames(QWidget* window);
QStringList CutCheckBoxes(QWidget* window);

}  // namespace qor::test
