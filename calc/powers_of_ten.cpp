#include "calc/powers_of_ten.h"

#include <array>

namespace tamrel::detail {
namespace {

constexpr int kPowerCount = kMaxPowerOfTen - kMinPowerOfTen + 1;

// floor(k * log2(10)) over the range of the table (checked below).
constexpr int FloorLog2OfPowerOfTen(int k) {
  return static_cast<int>((std::int64_t{k} * 14267572527) >> 32);  // 2^32 * log2(10)
}

constexpr int ExponentOf(int k) { return FloorLog2OfPowerOfTen(k) - 127; }

// Each step from 10^k to 10^(k+1) or 10^(k-1) rounds the exact product or
// quotient of the previous significand down to 128 bits: the result stays a
// lower bound, and as it is at least 2^127 each step adds less than 2^-127
// to its relative error, so the at most 348 steps leave it below 2^-118.

// A significand times ten, rounded down to 128 bits; `shift` is how many
// bits that dropped (3 or 4), by which the exponent grows.
constexpr UInt128 TimesTenRoundedDown(const UInt128& value, int& shift) {
  const UInt128 low = Multiply64(value.low, 10);
  const UInt128 high = Multiply64(value.high, 10);
  // The 132-bit product is top : middle : low.low.
  const std::uint64_t middle = high.low + low.high;
  const std::uint64_t top = high.high + (middle < high.low ? 1 : 0);
  shift = 64 - std::countl_zero(top);
  return {(top << (64 - shift)) | (middle >> shift), (middle << (64 - shift)) | (low.low >> shift)};
}

// A significand divided by ten and scaled back into [2^127, 2^128), rounded
// down; `shift` is the scaling (3 or 4), by which the exponent shrinks.
constexpr UInt128 TenthRoundedDown(const UInt128& value, int& shift) {
  // value * 16 / 10 stays below 2^128 exactly when value < 1.25 * 2^127.
  shift = value.high >= (std::uint64_t{5} << 61) ? 3 : 4;
  const std::uint64_t high = (value.high << shift) | (value.low >> (64 - shift));
  const std::uint64_t low = value.low << shift;
  // Long division of top : high : low by ten, 32 bits at a time.
  const std::uint64_t words[5] = {value.high >> (64 - shift), high >> 32, high & 0xFFFFFFFF,
                                  low >> 32, low & 0xFFFFFFFF};
  std::uint64_t quotient[5] = {};
  std::uint64_t remainder = 0;
  for (int i = 0; i < 5; ++i) {
    const std::uint64_t current = (remainder << 32) | words[i];
    quotient[i] = current / 10;
    remainder = current % 10;
  }
  return {(quotient[1] << 32) | quotient[2], (quotient[3] << 32) | quotient[4]};
}

struct Generated {
  std::array<UInt128, kPowerCount> significands{};
  std::array<int, kPowerCount> exponents{};
};

constexpr Generated Generate() {
  Generated table;
  const UInt128 one{std::uint64_t{1} << 63, 0};  // 1 = 2^127 * 2^-127, exactly
  table.significands[-kMinPowerOfTen] = one;
  table.exponents[-kMinPowerOfTen] = -127;
  UInt128 power = one;
  int exponent = -127;
  for (int k = 1; k <= kMaxPowerOfTen; ++k) {
    int shift = 0;
    power = TimesTenRoundedDown(power, shift);
    exponent += shift;
    table.significands[k - kMinPowerOfTen] = power;
    table.exponents[k - kMinPowerOfTen] = exponent;
  }
  power = one;
  exponent = -127;
  for (int k = -1; k >= kMinPowerOfTen; --k) {
    int shift = 0;
    power = TenthRoundedDown(power, shift);
    exponent -= shift;
    table.significands[k - kMinPowerOfTen] = power;
    table.exponents[k - kMinPowerOfTen] = exponent;
  }
  return table;
}

// Only the significands are kept; the exponents follow from k.
constexpr std::array<UInt128, kPowerCount> kSignificands = Generate().significands;

constexpr bool ExponentsFollowFromK() {
  const Generated table = Generate();
  for (int k = kMinPowerOfTen; k <= kMaxPowerOfTen; ++k) {
    const std::size_t at = static_cast<std::size_t>(k - kMinPowerOfTen);
    if (table.exponents[at] != ExponentOf(k) || (table.significands[at].high >> 63) == 0) {
      return false;
    }
  }
  return true;
}
static_assert(ExponentsFollowFromK());

}  // namespace

PowerOfTen PowerOfTenLowerBound(int k) {
  return {kSignificands[static_cast<std::size_t>(k - kMinPowerOfTen)], ExponentOf(k)};
}

}  // namespace tamrel::detail
