// Slow, obviously exact reference conversions for checking the fast ones on
// many generated cases. They share no code with the library: decimal
// strings and a plain vector-of-limbs integer, nothing clever.
#pragma once

#include <cstdint>
#include <string>

namespace tamrel::reference {

// The text of the result box for `value`, built from the full exact decimal
// expansion of the double.
std::string NumberText(double value);

// The double nearest to (negative ? -1 : 1) * digits * 10^exponent, ties
// toward zero; `digits` is a string of decimal digits (leading zeros allowed).
double NearestDouble(bool negative, const std::string& digits, std::int64_t exponent);

// The exact value of significand * 2^binary_exponent as decimal digits D
// (no leading or trailing zeros) and a power P: the value is D * 10^P.
struct Decimal {
  std::string digits;
  std::int64_t exponent;
};
Decimal ExactDecimal(std::uint64_t significand, std::int64_t binary_exponent);

// The sign (-1, 0, 1) of (high * 2^64 + low) * 2^binary_exponent - 10^k.
int CompareWithPowerOfTen(std::uint64_t high, std::uint64_t low, std::int64_t binary_exponent,
                          std::int64_t k);

}  // namespace tamrel::reference
