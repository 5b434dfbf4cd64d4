#include "cli/hex_bits.h"

namespace tamrel::cli {
namespace {

constexpr int kNotADigit = -1;

constexpr int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return kNotADigit;
}

}  // namespace

std::optional<std::uint64_t> ReadBits(std::string_view text) {
  if (text.size() != kBitsDigits) return std::nullopt;
  std::uint64_t bits = 0;
  for (const char c : text) {
    const int value = DigitValue(c);
    if (value == kNotADigit) return std::nullopt;
    bits = (bits << 4) | static_cast<std::uint64_t>(value);
  }
  return bits;
}

void AppendBits(std::uint64_t bits, std::string& out) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 60; shift >= 0; shift -= 4) out.push_back(kDigits[(bits >> shift) & 0xF]);
}

}  // namespace tamrel::cli
