#pragma once
// A settings image decoded for people (text) and for programs (JSON). Every
// byte is shown as it stands: values the window or its dialogs would not
// offer are marked, never hidden or replaced.

#include <string>
#include <string_view>

#include "settings/SettingsReport.h"

namespace qor::cli {

struct BoardLabel {
  int Number;                      // from 1, as the window lists it
  std::string_view Identification; // the board's identification text
};

std::string SettingsAsText(const BoardLabel& board, const SettingsReport& image);
std::string SettingsAsJson(const BoardLabel& board, const SettingsReport& image);

// "1: <identification text>", as the window's device list shows a board.
std::string ListEntry(const BoardLabel& board);

}  // namespace qor::cli
