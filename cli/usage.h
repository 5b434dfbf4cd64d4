// The text that tamrel-cli --help prints.
#pragma once

#include <string_view>

namespace tamrel::cli {

std::string_view UsageText();

}  // namespace tamrel::cli
