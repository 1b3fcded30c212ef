#include "ui/framework/Resources.h"

#include "res/StringTable.h"

namespace qor::ui {

// The table holds its texts as the source file does, in UTF-8.
std::string ResourceString(int id) { return res::LoadString(id); }

}  // namespace qor::ui
