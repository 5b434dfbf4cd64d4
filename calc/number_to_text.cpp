#include "calc/number_to_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "calc/big_unsigned.h"
#include "calc/powers_of_ten.h"
#include "calc/text_store.h"
#include "calc/uint128.h"

namespace tamrel {
namespace {

using detail::BigUnsigned;
using detail::kMaxPowerOfTen;
using detail::kMinPowerOfTen;
using detail::Multiply64;
using detail::MultiplyHigh;
using detail::PowerOfTenLowerBound;
using detail::ShiftLeft;
using detail::ShiftRight;
using detail::UInt128;

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kExponentMask = 0x7FF0000000000000;
constexpr std::uint64_t kFractionMask = 0x000FFFFFFFFFFFFF;
constexpr std::uint64_t kQuietBit = 0x0008000000000000;
constexpr std::uint64_t kDefaultNaNBits = 0xFFF8000000000000;

constexpr int kShownDigits = 13;

constexpr std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t result = 1;
  for (int i = 0; i < exponent; ++i) {
    result *= 10;
  }
  return result;
}

// The 13 characters that are laid out, and where the decimal point goes:
// magnitude = 0.c1c2...c13 * 10^point.
struct ShownDigits {
  char characters[kShownDigits];
  int point;
};

// The fast ways below give floor(magnitude * 10^k) for k = 18 - point, or
// kUndecided when they cannot be sure of it; the exact way always can. The
// result has 18 digits, or 19 when the guessed point was one too small.
// (Plain numbers rather than optionals: this is the hot path, and the
// compiler returns an optional through memory.)
constexpr std::uint64_t kUndecided = 0;

constexpr int kMaxExactFivePower = 27;  // 5^27 < 2^63

constexpr std::array<std::uint64_t, kMaxExactFivePower + 1> kPowersOfFive = [] {
  std::array<std::uint64_t, kMaxExactFivePower + 1> powers{};
  powers[0] = 1;
  for (std::size_t i = 1; i < powers.size(); ++i) {
    powers[i] = powers[i - 1] * 5;
  }
  return powers;
}();

// For 0 <= k <= 27 (magnitudes from about 1e-10 to 1e18, which is where the
// calculator's numbers live): significand * 5^k fits in 128 bits, and
// significand * 2^e * 10^k = (significand * 5^k) * 2^(e + k) needs only a
// shift to give the floor exactly.
std::uint64_t ScaledDigitsExactly(std::uint64_t significand, int binary_exponent, int k) {
  if (k < 0 || k > kMaxExactFivePower) {
    return kUndecided;
  }
  const UInt128 product = Multiply64(significand, kPowersOfFive[static_cast<std::size_t>(k)]);
  const int twos = binary_exponent + k;
  if (twos >= 0) {
    // The result is below 10^19 < 2^64, so the product is small enough.
    return product.low << twos;
  }
  if (-twos >= 128) {
    return kUndecided;
  }
  return ShiftRight(product, -twos).low;
}

// Any k of the table: the product with the rounded-down power of ten is a
// lower bound L of the scaled magnitude T, less than 2^-53 below it (see
// below). Unless an integer lies in (L, L + 2^-50], floor(L) is floor(T).
// T that is an integer, or very nearly one, is left to the exact way.
std::uint64_t ScaledDigitsFromTable(std::uint64_t significand, int binary_exponent, int k) {
  if (k < kMinPowerOfTen || k > kMaxPowerOfTen) {
    return kUndecided;
  }
  const int leading_zeros = std::countl_zero(significand);
  const std::uint64_t normalised = significand << leading_zeros;
  const detail::PowerOfTen power = PowerOfTenLowerBound(k);
  // T = normalised * significand(10^k) * 2^(e - zeros + exponent(10^k)).
  // `top` drops the low 64 bits of the 192-bit product, so that
  // L = top * 2^-fraction_bits with:
  const UInt128 top = MultiplyHigh(normalised, power.significand);
  const int fraction_bits = -(64 + binary_exponent - leading_zeros + power.exponent);
  // T < 10^19 < 2^64 and top >= 2^126 put fraction_bits near 62 to 72.
  if (fraction_bits < 60 || fraction_bits > 127) {
    return kUndecided;
  }
  // T - L < T * 2^-118 (the power) + 2^-fraction_bits (the dropped bits)
  //       < 2^64 * 2^-118 + 2^-60 < 2^-50.
  bool carry = false;
  const UInt128 upper = Add(top, ShiftLeft(UInt128{0, 1}, fraction_bits - 50), carry);
  const UInt128 whole = ShiftRight(top, fraction_bits);
  if (carry || whole.high != 0 || ShiftRight(upper, fraction_bits) != whole) {
    return kUndecided;
  }
  return whole.low;
}

// The exact way, with big integers: any double, any k.
std::uint64_t ScaledDigitsWithBigIntegers(std::uint64_t significand, int binary_exponent, int k) {
  BigUnsigned value(significand);
  if (k >= 0) {
    // significand * 2^e * 10^k = (significand * 5^k) * 2^(e + k)
    value.MultiplyByPowerOfFive(static_cast<unsigned>(k));
    const int twos = binary_exponent + k;
    if (twos >= 0) {
      value.ShiftLeft(static_cast<std::size_t>(twos));
      return value.ExtractBits(0, 64);
    }
    return value.ExtractBits(static_cast<std::size_t>(-twos), 64);
  }
  // A large magnitude: binary_exponent is positive here.
  value.ShiftLeft(static_cast<std::size_t>(binary_exponent));
  const auto n = static_cast<unsigned>(-k);
  value.DivideByPowerOfFive(n);
  return value.ExtractBits(n, 64);
}

// floor(magnitude * 10^(18 - point)) for the guessed point.
std::uint64_t ScaledDigits(std::uint64_t significand, int binary_exponent, int guessed_point) {
  const int k = 18 - guessed_point;
  if (const std::uint64_t digits = ScaledDigitsExactly(significand, binary_exponent, k);
      digits != kUndecided) {
    return digits;
  }
  if (const std::uint64_t digits = ScaledDigitsFromTable(significand, binary_exponent, k);
      digits != kUndecided) {
    return digits;
  }
  return ScaledDigitsWithBigIntegers(significand, binary_exponent, k);
}

ShownDigits DigitsOfFinite(std::uint64_t bits) {
  const auto biased_exponent = static_cast<int>((bits & kExponentMask) >> 52);
  std::uint64_t significand = bits & kFractionMask;
  int binary_exponent = -1074;
  if (biased_exponent != 0) {
    significand |= std::uint64_t{1} << 52;
    binary_exponent = biased_exponent - 1075;
  }
  const int top_bit = 63 - std::countl_zero(significand);
  const int log2 = top_bit + binary_exponent;  // floor(log2(magnitude))
  // floor(log2 * log10(2)) for the range of doubles.
  const int guessed_point = ((log2 * 78913) >> 18) + 1;

  int point = guessed_point;
  std::uint64_t digits18 = ScaledDigits(significand, binary_exponent, point);
  if (digits18 < PowerOfTen(17)) {
    // Cannot happen with the estimate above over the range of doubles; kept
    // so that a wrong guess costs time, never digits.
    --point;
    digits18 = ScaledDigits(significand, binary_exponent, point);
  }
  if (digits18 >= PowerOfTen(18)) {
    digits18 /= 10;
    ++point;
  }

  // 17 digits, rounded half up on the 18th.
  std::uint64_t digits17 = digits18 / 10 + (digits18 % 10 >= 5 ? 1 : 0);
  if (digits17 == PowerOfTen(17)) {
    digits17 = PowerOfTen(16);
    ++point;
  }
  // 13 digits, rounded half up on the 14th of the 17.
  std::uint64_t digits13 = digits17 / PowerOfTen(4) + ((digits17 / 1000) % 10 >= 5 ? 1 : 0);
  if (digits13 == PowerOfTen(13)) {
    digits13 = PowerOfTen(12);
    ++point;
  }

  ShownDigits shown{};
  for (int i = kShownDigits - 1; i >= 0; --i) {
    shown.characters[i] = static_cast<char>('0' + digits13 % 10);
    digits13 /= 10;
  }
  shown.point = point;
  return shown;
}

ShownDigits WordOf(const char* word) {
  ShownDigits shown{};
  std::memset(shown.characters, '0', kShownDigits);
  std::memcpy(shown.characters, word, std::strlen(word));
  shown.point = 1;
  return shown;
}

class TextBuilder {
 public:
  explicit TextBuilder(char* buffer) : buffer_(buffer) {}
  void Put(char c) { buffer_[length_++] = c; }
  void Put(const char* characters, int count) {
    for (int i = 0; i < count; ++i) {
      Put(characters[i]);
    }
  }
  // Drops trailing zeros after the decimal point that begins at `point_at`,
  // and the point itself when nothing follows it.
  void TrimFraction(std::size_t point_at) {
    while (length_ > point_at + 1 && buffer_[length_ - 1] == '0') {
      --length_;
    }
    if (length_ == point_at + 1) {
      --length_;
    }
  }
  std::size_t length() const { return length_; }

 private:
  char* buffer_;
  std::size_t length_ = 0;
};

void LayOut(const ShownDigits& shown, bool negative, TextBuilder& text) {
  if (negative) {
    text.Put('-');
  }
  const int exponent = shown.point - 1;
  if (exponent < -4 || exponent >= kShownDigits) {
    text.Put(shown.characters[0]);
    const std::size_t point_at = text.length();
    text.Put('.');
    text.Put(shown.characters + 1, kShownDigits - 1);
    text.TrimFraction(point_at);
    text.Put('e');
    text.Put(exponent < 0 ? '-' : '+');
    const int magnitude = exponent < 0 ? -exponent : exponent;
    text.Put(static_cast<char>('0' + magnitude / 100));
    text.Put(static_cast<char>('0' + magnitude / 10 % 10));
    text.Put(static_cast<char>('0' + magnitude % 10));
  } else if (shown.point >= 1) {
    text.Put(shown.characters, shown.point);
    const std::size_t point_at = text.length();
    text.Put('.');
    text.Put(shown.characters + shown.point, kShownDigits - shown.point);
    text.TrimFraction(point_at);
  } else {
    text.Put('0');
    const std::size_t point_at = text.length();
    text.Put('.');
    for (int i = 0; i < -shown.point; ++i) {
      text.Put('0');
    }
    text.Put(shown.characters, kShownDigits);
    text.TrimFraction(point_at);
  }
}

}  // namespace

std::size_t FormatNumber(double value, char (&buffer)[kNumberTextCapacity]) {
  std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  TextBuilder text(buffer);
  if ((bits & ~kSignBit) == 0) {
    text.Put('0');  // both zeros
  } else if ((bits & kExponentMask) == kExponentMask) {
    const bool negative = (bits & kSignBit) != 0;
    if ((bits & kFractionMask) == 0) {
      LayOut(WordOf("1#INF"), negative, text);
    } else {
      bits |= kQuietBit;  // a signalling NaN is spelled as its quiet form
      LayOut(WordOf(bits == kDefaultNaNBits ? "1#IND" : "1#QNAN"), negative, text);
    }
  } else {
    LayOut(DigitsOfFinite(bits), (bits & kSignBit) != 0, text);
  }
  buffer[text.length()] = '\0';
  return text.length();
}

char* NumberToText(double value) {
  char buffer[kNumberTextCapacity];
  const std::size_t length = FormatNumber(value, buffer);
  return CopyText(buffer, length);
}

}  // namespace tamrel
