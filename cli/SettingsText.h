#pragma once
// A settings image decoded for people (text) and for programs (JSON). Every
// byte is shown as it stands: values the window or its dialogs would not
// offer are marked, never hidden or replaced.

#include <string>
#include <string_view>

#include "settings/SettingsReport.h"

namespace qor::cli {

struct BoardLabel {
  int Number;                       // from 1, as the window lists it
  std::string_view Identification;  // the board's identification text
};

// A settings file, shown by the name it was given.
struct FileLabel {
  std::string_view Path;
};

std::string SettingsAsText(const BoardLabel& board, const SettingsReport& image);
std::string SettingsAsJson(const BoardLabel& board, const SettingsReport& image);
std::string SettingsAsText(const FileLabel& file, const SettingsReport& image);
std::string SettingsAsJson(const FileLabel& file, const SettingsReport& image);

// One setting (a name from SettingNames) in the words `qorctl set` takes for
// it; a value set would not take is shown as the raw byte says it.
std::string SettingWords(std::string_view setting, const SettingsReport& image);

// "1: <identification text>", as the window's device list shows a board.
std::string ListEntry(const BoardLabel& board);

}  // namespace qor::cli
