// The program's texts are GBK bytes; the platform is spoken to in UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace tamrel::ui {

std::wstring GbkToWide(std::string_view gbk);
std::string WideToGbk(std::wstring_view wide);

}  // namespace tamrel::ui
