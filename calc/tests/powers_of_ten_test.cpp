#include "calc/powers_of_ten.h"

#include <gtest/gtest.h>

#include "exact_reference.h"

namespace tamrel {
namespace {

// Every power of ten that the fast paths use is a lower bound of the exact
// one, and less than 2^-116 below it: significand + 2^11 is above it.
TEST(PowersOfTen, AreLowerBoundsCloseToTheExactPowers) {
  for (int k = detail::kMinPowerOfTen; k <= detail::kMaxPowerOfTen; ++k) {
    const detail::PowerOfTen power = detail::PowerOfTenLowerBound(k);
    ASSERT_EQ(power.significand.high >> 63, 1u) << k;
    EXPECT_LE(reference::CompareWithPowerOfTen(power.significand.high, power.significand.low,
                                               power.exponent, k),
              0)
        << k;
    const std::uint64_t low = power.significand.low + 2048;
    const std::uint64_t high = power.significand.high + (low < power.significand.low ? 1 : 0);
    EXPECT_GT(reference::CompareWithPowerOfTen(high, low, power.exponent, k), 0) << k;
  }
}

}  // namespace
}  // namespace tamrel
