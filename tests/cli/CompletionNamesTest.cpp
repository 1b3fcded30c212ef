// The bash completion offers exactly the setting names and key names qorctl
// takes, in qorctl's order: the script keeps its own copy, so a name added to
// the program or the key table must reach the script too.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "cli/SettingEdits.h"
#include "settings/KeyCodeTable.h"

namespace qor::cli {
namespace {

std::string Script() {
  std::ifstream file(QOR_COMPLETION_SCRIPT);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The words of a bash array assignment "NAME=(...)": bare words, or words in
// single quotes with '\'' standing for a quote.
std::vector<std::string> ArrayWords(const std::string& script, const std::string& name) {
  const std::size_t start = script.find(name + "=(");
  if (start == std::string::npos) return {};
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (std::size_t i = start + name.size() + 2; i < script.size(); ++i) {
    const char c = script[i];
    if (quoted) {
      if (c == '\'') {
        quoted = false;
      } else {
        word += c;
      }
    } else if (c == '\'') {
      quoted = inWord = true;
    } else if (c == '\\' && i + 1 < script.size()) {
      word += script[++i];
      inWord = true;
    } else if (c == ' ' || c == '\n' || c == ')') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
      if (c == ')') return words;
    } else {
      word += c;
      inWord = true;
    }
  }
  return {};
}

TEST(CompletionNames, SettingsAreQorctlsSettings) {
  EXPECT_EQ(ArrayWords(Script(), "_qorctl_settings"), SettingNames());
}

TEST(CompletionNames, KeysAreTheKeyTable) {
  std::vector<std::string> keys;
  for (int i = 0; i < KeyCodeTable::Count; ++i) keys.emplace_back(KeyCodeTable::NameAt(i));
  EXPECT_EQ(ArrayWords(Script(), "_qorctl_keys"), keys);
}

}  // namespace
}  // namespace qor::cli
