#include "calc/big_unsigned.h"

#include <cstdlib>

namespace tamrel::detail {
namespace {

constexpr unsigned kFiveToThe13 = 1220703125;  // the largest power of five in 32 bits
constexpr unsigned kPowersOfFive[13] = {1,     5,      25,      125,     625,      3125,     15625,
                                        78125, 390625, 1953125, 9765625, 48828125, 244140625};

}  // namespace

BigUnsigned::BigUnsigned(std::uint64_t value) {
  limbs_[0] = static_cast<std::uint32_t>(value);
  limbs_[1] = static_cast<std::uint32_t>(value >> 32);
  size_ = 2;
  Trim();
}

void BigUnsigned::Trim() {
  while (size_ > 0 && limbs_[size_ - 1] == 0) {
    --size_;
  }
}

std::size_t BigUnsigned::BitLength() const {
  if (size_ == 0) {
    return 0;
  }
  std::uint32_t top = limbs_[size_ - 1];
  std::size_t bits = 0;
  while (top != 0) {
    ++bits;
    top >>= 1;
  }
  return (size_ - 1) * 32 + bits;
}

bool BigUnsigned::Bit(std::size_t index) const {
  const std::size_t limb = index / 32;
  return limb < size_ && ((limbs_[limb] >> (index % 32)) & 1u) != 0;
}

bool BigUnsigned::AnyBitBelow(std::size_t index) const {
  const std::size_t whole = index / 32;
  for (std::size_t i = 0; i < whole && i < size_; ++i) {
    if (limbs_[i] != 0) {
      return true;
    }
  }
  const std::size_t rest = index % 32;
  return rest != 0 && whole < size_ && (limbs_[whole] & ((1u << rest) - 1)) != 0;
}

std::uint64_t BigUnsigned::ExtractBits(std::size_t from, std::size_t count) const {
  // Three limbs hold any 64 bits, whatever their offset in the first one.
  const std::size_t first = from / 32;
  const unsigned offset = from % 32;
  std::uint64_t window[3] = {};
  for (std::size_t i = 0; i < 3; ++i) {
    window[i] = first + i < size_ ? limbs_[first + i] : 0;
  }
  std::uint64_t result = (window[0] >> offset) | (window[1] << (32 - offset));
  if (offset != 0) {
    result |= window[2] << (64 - offset);
  }
  return count >= 64 ? result : result & ((std::uint64_t{1} << count) - 1);
}

void BigUnsigned::MultiplyBy(std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < size_; ++i) {
    const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
    limbs_[i] = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) {
    if (size_ == kLimbs) {
      std::abort();  // the conversions bound their magnitudes well below this
    }
    limbs_[size_++] = static_cast<std::uint32_t>(carry);
  }
  Trim();
}

void BigUnsigned::Add(std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (std::size_t i = 0; i < size_ && carry != 0; ++i) {
    const std::uint64_t sum = std::uint64_t{limbs_[i]} + carry;
    limbs_[i] = static_cast<std::uint32_t>(sum);
    carry = sum >> 32;
  }
  if (carry != 0) {
    if (size_ == kLimbs) {
      std::abort();
    }
    limbs_[size_++] = static_cast<std::uint32_t>(carry);
  }
}

void BigUnsigned::MultiplyByPowerOfFive(unsigned exponent) {
  for (; exponent >= 13; exponent -= 13) {
    MultiplyBy(kFiveToThe13);
  }
  if (exponent != 0) {
    MultiplyBy(kPowersOfFive[exponent]);
  }
}

void BigUnsigned::ShiftLeft(std::size_t bits) {
  if (size_ == 0 || bits == 0) {
    return;
  }
  const std::size_t limb_shift = bits / 32;
  const unsigned bit_shift = bits % 32;
  const std::size_t new_size = size_ + limb_shift + 1;
  if (new_size > kLimbs) {
    std::abort();
  }
  for (std::size_t i = new_size; i-- > 0;) {
    std::uint32_t value = 0;
    if (i >= limb_shift) {
      const std::size_t source = i - limb_shift;
      if (source < size_) {
        value = limbs_[source] << bit_shift;
      }
      if (bit_shift != 0 && source >= 1 && source - 1 < size_) {
        value |= limbs_[source - 1] >> (32 - bit_shift);
      }
    }
    limbs_[i] = value;
  }
  size_ = new_size;
  Trim();
}

std::uint32_t BigUnsigned::DivideBy(std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::size_t i = size_; i-- > 0;) {
    const std::uint64_t current = (remainder << 32) | limbs_[i];
    limbs_[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  Trim();
  return static_cast<std::uint32_t>(remainder);
}

bool BigUnsigned::DivideByPowerOfFive(unsigned exponent) {
  // floor(floor(x / a) / b) == floor(x / (a * b)), and the quotient is exact
  // only when every step is.
  bool inexact = false;
  for (; exponent >= 13; exponent -= 13) {
    inexact |= DivideBy(kFiveToThe13) != 0;
  }
  if (exponent != 0) {
    inexact |= DivideBy(kPowersOfFive[exponent]) != 0;
  }
  return inexact;
}

}  // namespace tamrel::detail
