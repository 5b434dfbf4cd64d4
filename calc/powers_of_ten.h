// Powers of ten to 128 significant bits, for the fast paths of the decimal
// conversions: 10^k is taken as significand * 2^exponent with the
// significand in [2^127, 2^128). Each significand is a lower bound, never
// above the exact one and less than 2^-118 below it in relative terms, so a
// product with it is a lower bound with a known error: enough to decide
// almost every conversion, and to tell when the exact path must decide.
#pragma once

#include <cstdint>

#include "calc/uint128.h"

namespace tamrel::detail {

// Every power that the conversions ask for: decimal texts reach down to
// 24-digit values times 10^-348, doubles need 10^-291 to 10^341.
inline constexpr int kMinPowerOfTen = -348;
inline constexpr int kMaxPowerOfTen = 341;

struct PowerOfTen {
  UInt128 significand;
  int exponent;
};

// k in [kMinPowerOfTen, kMaxPowerOfTen].
PowerOfTen PowerOfTenLowerBound(int k);

}  // namespace tamrel::detail
