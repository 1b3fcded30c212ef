#pragma once
// The string table: every text the program shows, by its IDS_ number.
// Plain C++, so the window and qorctl read the same texts.

#include "res/ResourceIds.h"

namespace qor::res {

// The text of a string resource; "" for a number the table does not hold.
const char* LoadString(int id);

}  // namespace qor::res
