// A non-negative integer of up to a few thousand bits, on the stack: exactly
// what the decimal conversions need to work with the exact value of a double
// or of a decimal text without any floating-point rounding. 32-bit limbs keep
// the code the same on the 32-bit and 64-bit builds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tamrel::detail {

class BigUnsigned {
 public:
  // Enough for 2^1074 * 10^350 and the like, with room to spare.
  static constexpr std::size_t kLimbs = 96;

  BigUnsigned() = default;
  explicit BigUnsigned(std::uint64_t value);

  bool IsZero() const { return size_ == 0; }
  std::size_t BitLength() const;
  bool Bit(std::size_t index) const;
  // True when any bit below `index` is set.
  bool AnyBitBelow(std::size_t index) const;
  // Bits [from, from + count) as a number; count at most 64.
  std::uint64_t ExtractBits(std::size_t from, std::size_t count) const;

  void MultiplyBy(std::uint32_t factor);
  void Add(std::uint32_t addend);
  void MultiplyByPowerOfFive(unsigned exponent);
  void ShiftLeft(std::size_t bits);
  // Floor division; the remainder is returned.
  std::uint32_t DivideBy(std::uint32_t divisor);
  // Floor division by 5^exponent; true when it left a remainder.
  bool DivideByPowerOfFive(unsigned exponent);

 private:
  void Trim();

  std::array<std::uint32_t, kLimbs> limbs_{};  // little-endian
  std::size_t size_ = 0;                       // limbs in use, no leading zero limb
};

}  // namespace tamrel::detail
