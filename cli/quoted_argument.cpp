#include "cli/quoted_argument.h"

namespace tamrel::cli {

std::string Quoted(std::string_view argument) {
  std::string quoted = "'";
  for (const char c : argument) {
    const auto byte = static_cast<unsigned char>(c);
    quoted.push_back(byte < 0x20 || byte == 0x7F ? '?' : c);
  }
  quoted.push_back('\'');
  return quoted;
}

}  // namespace tamrel::cli
