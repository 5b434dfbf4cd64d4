#include "fuzz/mismatch.h"

#include <bit>
#include <cstdio>
#include <cstdlib>

namespace tamrel::fuzz {

void ReportMismatch(const std::string& what) {
  std::fprintf(stderr, "MISMATCH: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

std::string Escaped(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    }
  }
  return out + "\"";
}

std::string BitsText(double value) {
  auto bits = std::bit_cast<std::uint64_t>(value);
  std::string out(16, '0');
  for (int i = 15; i >= 0; --i, bits >>= 4) out[i] = "0123456789ABCDEF"[bits & 15];
  return out;
}

}  // namespace tamrel::fuzz
