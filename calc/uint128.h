// A 128-bit unsigned integer for the fast paths of the decimal conversions.
// The 32-bit build has no __int128, so the products are put together from
// 32-bit halves there; where the compiler has the type it does the same
// exact arithmetic in one instruction. Both give the same bits.
#pragma once

#include <bit>
#include <cstdint>

namespace tamrel::detail {

struct UInt128 {
  std::uint64_t high = 0;
  std::uint64_t low = 0;

  friend constexpr bool operator==(const UInt128&, const UInt128&) = default;
};

// a * b, exactly.
constexpr UInt128 Multiply64(std::uint64_t a, std::uint64_t b) {
#if defined(__SIZEOF_INT128__)
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
  const std::uint64_t a_low = a & 0xFFFFFFFF;
  const std::uint64_t a_high = a >> 32;
  const std::uint64_t b_low = b & 0xFFFFFFFF;
  const std::uint64_t b_high = b >> 32;
  const std::uint64_t low_low = a_low * b_low;
  const std::uint64_t high_low = a_high * b_low;
  const std::uint64_t low_high = a_low * b_high;
  const std::uint64_t high_high = a_high * b_high;
  // Below 3 * 2^32: cannot overflow.
  const std::uint64_t middle = (low_low >> 32) + (high_low & 0xFFFFFFFF) + (low_high & 0xFFFFFFFF);
  return {high_high + (high_low >> 32) + (low_high >> 32) + (middle >> 32),
          (middle << 32) | (low_low & 0xFFFFFFFF)};
#endif
}

// a + b modulo 2^128; `carry` tells whether it wrapped.
constexpr UInt128 Add(const UInt128& a, const UInt128& b, bool& carry) {
  const std::uint64_t low = a.low + b.low;
  const std::uint64_t low_carry = low < a.low ? 1 : 0;
  const std::uint64_t high = a.high + b.high + low_carry;
  carry = high < a.high || (high == a.high && low_carry != 0);
  return {high, low};
}

// value >> count, for count in [0, 127].
constexpr UInt128 ShiftRight(const UInt128& value, int count) {
  if (count == 0) {
    return value;
  }
  if (count >= 64) {
    return {0, value.high >> (count - 64)};
  }
  return {value.high >> count, (value.low >> count) | (value.high << (64 - count))};
}

// value << count modulo 2^128, for count in [0, 127].
constexpr UInt128 ShiftLeft(const UInt128& value, int count) {
  if (count == 0) {
    return value;
  }
  if (count >= 64) {
    return {value.low << (count - 64), 0};
  }
  return {(value.high << count) | (value.low >> (64 - count)), value.low << count};
}

constexpr int BitLength(const UInt128& value) {
  return value.high != 0 ? 128 - std::countl_zero(value.high) : 64 - std::countl_zero(value.low);
}

// Bit `index` (0 to 127).
constexpr bool BitAt(const UInt128& value, int index) {
  return ((index >= 64 ? value.high >> (index - 64) : value.low >> index) & 1) != 0;
}

// True when any of the bits below `index` (0 to 128) is set.
constexpr bool AnyBitBelow(const UInt128& value, int index) {
  if (index >= 128) {
    return value.high != 0 || value.low != 0;
  }
  if (index > 64) {
    return value.low != 0 || (value.high & ((std::uint64_t{1} << (index - 64)) - 1)) != 0;
  }
  if (index == 64) {
    return value.low != 0;
  }
  return index != 0 && (value.low & ((std::uint64_t{1} << index) - 1)) != 0;
}

// The top 128 bits of the 192-bit product a * b: floor(a * b / 2^64).
constexpr UInt128 MultiplyHigh(std::uint64_t a, const UInt128& b) {
  const UInt128 high = Multiply64(a, b.high);
  const UInt128 low = Multiply64(a, b.low);
  bool carry = false;
  return Add(high, UInt128{0, low.high}, carry);  // a * b < 2^192: never wraps
}

}  // namespace tamrel::detail
