#pragma once
// Names the cases of a parameterised suite after their rows, so that a
// failure reads "Sizes/ReadBySizeTest.Case/OneByteShort" rather than ".../1":
// what the row's PrintTo prints, each run of characters other than letters and
// digits turned into one '_'.

#include <gtest/gtest.h>

#include <string>

namespace qor::test {

struct RowName {
  template <class T>
  std::string operator()(const testing::TestParamInfo<T>& info) const {
    std::string name;
    for (const char c : testing::PrintToString(info.param)) {
      if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
        name += c;
      } else if (!name.empty() && name.back() != '_') {
        name += '_';
      }
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name;
  }
};

}  // namespace qor::test
