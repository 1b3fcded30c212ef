#pragma once
// The program's texts are UTF-8; Windows' wide calls take UTF-16.

#include <string>
#include <string_view>

namespace qor::ui::win32 {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace qor::ui::win32
