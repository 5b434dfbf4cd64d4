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

}  // namespace tamrel::reference
