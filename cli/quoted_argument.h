// An argument echoed in a message.
#pragma once

#include <string>
#include <string_view>

namespace tamrel::cli {

// The argument in single quotes, with control characters as "?" so that the
// message stays one line.
std::string Quoted(std::string_view argument);

}  // namespace tamrel::cli
