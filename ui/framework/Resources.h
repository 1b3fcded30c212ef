#pragma once

#include <string>

#include "res/ResourceIds.h"

namespace qor::ui {

// A text of the string table, in UTF-8.
std::string ResourceString(int id);

}  // namespace qor::ui
