// Doubles by their bit patterns, for tests that must be exact to the bit.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tamrel::testing_support {

inline double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }
inline std::uint64_t BitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }

inline std::string Hex(std::uint64_t bits) {
  char buffer[17];
  for (int i = 15; i >= 0; --i) {
    buffer[i] = "0123456789ABCDEF"[bits & 15];
    bits >>= 4;
  }
  buffer[16] = '\0';
  return buffer;
}

inline std::string HexOf(double value) { return Hex(BitsOf(value)); }

}  // namespace tamrel::testing_support
