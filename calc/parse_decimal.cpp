#include <bit>
#include <cstdint>
#include <cstring>

#include "calc/big_unsigned.h"
#include "calc/powers_of_ten.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"
#include "calc/uint128.h"

namespace tamrel {
namespace {

using detail::BigUnsigned;
using detail::MultiplyHigh;
using detail::PowerOfTen;
using detail::PowerOfTenLowerBound;
using detail::UInt128;

// Only this many significant digits take part; one more decides the rounding.
constexpr int kSignificantDigits = 24;
constexpr int kStoredDigits = kSignificantDigits + 1;
// Exponents beyond this reach infinity or zero whatever the digits.
constexpr int kExponentLimit = 5200;

constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000;

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool IsWhiteSpace(unsigned char c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }

bool IsExponentLetter(unsigned char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// What the scan of one number found.
struct DecimalScan {
  bool negative = false;
  bool digit_seen = false;
  int digit_count = 0;  // in `digits`
  unsigned char digits[kStoredDigits] = {};
  std::int64_t position_adjustment = 0;
  int exponent_value = 0;  // saturates at kExponentLimit + 1
  int exponent_sign = 1;
};

void ScanMantissaDigit(unsigned char digit, bool after_point, DecimalScan& scan) {
  scan.digit_seen = true;
  if (scan.digit_count == 0 && digit == 0) {
    if (after_point) {
      --scan.position_adjustment;  // a leading zero after the point
    }
    return;
  }
  if (scan.digit_count < kStoredDigits) {
    scan.digits[scan.digit_count++] = digit;
    if (after_point) {
      --scan.position_adjustment;
    }
  } else if (!after_point) {
    ++scan.position_adjustment;  // an unstored digit before the point
  }
}

// Reads the exponent after its letter; returns where the number ends.
const unsigned char* ScanExponent(const unsigned char* letter, DecimalScan& scan) {
  const unsigned char* p = letter + 1;
  int sign = 1;
  if (*p == '+' || *p == '-') {
    sign = *p == '-' ? -1 : 1;
    ++p;
  }
  if (!IsDigit(*p)) {
    return letter;  // not an exponent: the number ends before the letter
  }
  int value = 0;
  for (; IsDigit(*p); ++p) {
    if (value <= kExponentLimit) {
      value = value * 10 + (*p - '0');
      if (value > kExponentLimit) {
        value = kExponentLimit + 1;
      }
    }
  }
  scan.exponent_value = value;
  scan.exponent_sign = sign;
  return p;
}

DecimalScan Scan(const unsigned char* p) {
  DecimalScan scan;
  while (IsWhiteSpace(*p)) {
    ++p;
  }
  if (*p == '+' || *p == '-') {
    scan.negative = *p == '-';
    ++p;
  }
  for (; IsDigit(*p); ++p) {
    ScanMantissaDigit(*p - '0', false, scan);
  }
  if (*p == '.' && (scan.digit_seen || IsDigit(p[1]))) {
    for (++p; IsDigit(*p); ++p) {
      ScanMantissaDigit(*p - '0', true, scan);
    }
  }
  if (scan.digit_seen && IsExponentLetter(*p)) {
    ScanExponent(p, scan);
  }
  return scan;
}

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

double SignedZero(bool negative) { return FromBits(negative ? kSignBit : 0); }

double SignedInfinity(bool negative) { return FromBits(kInfinityBits | (negative ? kSignBit : 0)); }

// The double nearest to value * 2^binary_exponent, where `value` is the
// integer part of the exact magnitude and `inexact` says whether a fraction
// below it was lost. Halfway cases go toward zero.
double RoundToDouble(const BigUnsigned& value, bool inexact, std::int64_t binary_exponent,
                     bool negative) {
  const auto length = static_cast<std::int64_t>(value.BitLength());
  const std::int64_t top_exponent = length - 1 + binary_exponent;  // of the leading bit
  if (top_exponent >= 1024) {
    return SignedInfinity(negative);
  }
  // Subnormal results have fewer significant bits, down to none.
  const std::int64_t precision = top_exponent >= -1022 ? 53 : top_exponent + 1075;
  const std::int64_t dropped = length - precision;

  std::uint64_t significand = 0;
  if (dropped <= 0) {
    significand = value.ExtractBits(0, static_cast<std::size_t>(length)) << -dropped;
  } else {
    bool round_bit = false;
    bool below_half = false;
    if (dropped <= length) {
      significand = value.ExtractBits(static_cast<std::size_t>(dropped),
                                      static_cast<std::size_t>(length - dropped));
      round_bit = value.Bit(static_cast<std::size_t>(dropped - 1));
      below_half = value.AnyBitBelow(static_cast<std::size_t>(dropped - 1)) || inexact;
    }
    // Above half rounds up; exactly half stays, which is toward zero.
    if (round_bit && below_half) {
      ++significand;
    }
  }

  std::uint64_t bits = 0;
  if (top_exponent >= -1022) {
    std::int64_t exponent = top_exponent;
    if (significand == (std::uint64_t{1} << 53)) {
      significand >>= 1;
      ++exponent;
    }
    if (exponent >= 1024) {
      return SignedInfinity(negative);
    }
    bits = (static_cast<std::uint64_t>(exponent + 1023) << 52) |
           (significand & ((std::uint64_t{1} << 52) - 1));
  } else {
    // In units of 2^-1074; a carry into 2^52 is the smallest normal, whose
    // bits are the same number.
    bits = significand;
  }
  return FromBits(bits | (negative ? kSignBit : 0));
}

// What the fast way answers when it cannot be sure: the bits of +0.0, which
// no normal double has. (Plain bits rather than an optional: this is the
// hot path, and the compiler returns an optional through memory.)
constexpr std::uint64_t kUndecided = 0;

// The magnitude bits of the double nearest to value * 2^binary_exponent,
// halfway cases toward zero, for `value` of at least 2^126 whose result is
// a normal double; kUndecided otherwise (subnormal or infinite results).
std::uint64_t NearestNormalBits(const UInt128& value, int binary_exponent) {
  const int length = detail::BitLength(value);
  int top_exponent = length - 1 + binary_exponent;
  if (length < 127 || top_exponent < -1022 || top_exponent >= 1024) {
    return kUndecided;
  }
  const int dropped = length - 53;
  std::uint64_t significand = detail::ShiftRight(value, dropped).low;
  // Above half rounds up; exactly half stays, which is toward zero.
  if (detail::BitAt(value, dropped - 1) && detail::AnyBitBelow(value, dropped - 1)) {
    ++significand;
    if (significand == (std::uint64_t{1} << 53)) {
      significand >>= 1;
      ++top_exponent;
      if (top_exponent >= 1024) {
        return kUndecided;
      }
    }
  }
  return (static_cast<std::uint64_t>(top_exponent + 1023) << 52) |
         (significand & ((std::uint64_t{1} << 52) - 1));
}

// digits * 10^decimal_exponent from a product with the rounded-down power of
// ten: the product is a lower bound L of the value V, and V < U for an upper
// bound U from the known error. Rounding is monotonic, so when L and U
// round to the same double, V does too. When they do not (V lies close to
// halfway between two doubles, or is one of the few values on which the
// halfway rule decides), or when the result is not a normal double, the
// exact way must decide. Gives the magnitude bits, or kUndecided.
std::uint64_t NearestBitsFromTable(const unsigned char* digits, int count,
                                   std::int64_t decimal_exponent) {
  if (decimal_exponent < detail::kMinPowerOfTen || decimal_exponent > detail::kMaxPowerOfTen) {
    return kUndecided;
  }
  // The digits as a whole number: up to 24 digits, below 2^80.
  std::uint64_t leading = 0;
  const int leading_count = count < 19 ? count : 19;
  for (int i = 0; i < leading_count; ++i) {
    leading = leading * 10 + digits[i];
  }
  std::uint64_t trailing = 0;
  std::uint64_t trailing_scale = 1;
  for (int i = leading_count; i < count; ++i) {
    trailing = trailing * 10 + digits[i];
    trailing_scale *= 10;
  }
  bool carry = false;  // never: the sum is below 10^24
  const UInt128 whole =
      detail::Add(detail::Multiply64(leading, trailing_scale), UInt128{0, trailing}, carry);

  // whole is about top64 * 2^(length - 64), exactly so when it has at most
  // 64 bits; otherwise the bits below the top 64 are cut off.
  const int length = detail::BitLength(whole);
  const std::uint64_t top64 =
      length > 64 ? detail::ShiftRight(whole, length - 64).low : whole.low << (64 - length);
  const bool digits_cut = length > 64 && detail::AnyBitBelow(whole, length - 64);

  // V = whole * 10^decimal_exponent, about
  // top64 * 2^(length - 64) * power.significand * 2^power.exponent; `lower`
  // drops the low 64 bits of the product and is L in units of
  // 2^binary_exponent.
  const PowerOfTen power = PowerOfTenLowerBound(static_cast<int>(decimal_exponent));
  const UInt128 lower = MultiplyHigh(top64, power.significand);
  const int binary_exponent = length + power.exponent;
  // V - L < L * 2^-117 from the power and the dropped product bits, and
  // another L * 2^-63 when digits were cut off: take L * 2^-62 then.
  const UInt128 error = detail::ShiftRight(lower, digits_cut ? 62 : 117);
  bool error_carry = false;
  bool unit_carry = false;
  const UInt128 upper =
      detail::Add(detail::Add(lower, error, error_carry), UInt128{0, 1}, unit_carry);
  if (error_carry || unit_carry) {
    return kUndecided;
  }

  const std::uint64_t bits = NearestNormalBits(lower, binary_exponent);
  return bits == NearestNormalBits(upper, binary_exponent) ? bits : kUndecided;
}

double ValueOf(const DecimalScan& scan) {
  if (!scan.digit_seen) {
    return 0.0;  // no number, whatever sign stood in front
  }
  // The digits that take part, rounded on the 25th, carrying through nines.
  unsigned char digits[kStoredDigits];
  int count = scan.digit_count;
  std::int64_t position = scan.position_adjustment;
  for (int i = 0; i < count; ++i) {
    digits[i] = scan.digits[i];
  }
  if (count == kStoredDigits) {
    const bool round_up = digits[kSignificantDigits] >= 5;
    count = kSignificantDigits;
    ++position;
    for (int i = count - 1; round_up && i >= 0; --i) {
      if (digits[i] == 9) {
        digits[i] = 0;  // becomes a trailing zero, removed below
        if (i == 0) {
          digits[0] = 1;  // 99...9 + 1: one digit, the point moves
          position += count;
          count = 1;
        }
      } else {
        ++digits[i];
        break;
      }
    }
  }
  // Trailing zeros only move the decimal point.
  while (count > 0 && digits[count - 1] == 0) {
    --count;
    ++position;
  }
  if (count == 0) {
    return SignedZero(scan.negative);
  }
  const int decimal_length = count;

  const std::int64_t exponent = std::int64_t{scan.exponent_sign} * scan.exponent_value + position;
  if (exponent > kExponentLimit) {
    return SignedInfinity(scan.negative);
  }
  if (exponent < -kExponentLimit) {
    return SignedZero(scan.negative);
  }

  if (decimal_length - 1 + exponent >= 309) {
    return SignedInfinity(scan.negative);  // at least 1e309
  }
  if (decimal_length + exponent < -324) {
    return SignedZero(scan.negative);  // below 1e-325, less than half the smallest subnormal
  }

  if (const std::uint64_t bits = NearestBitsFromTable(digits, count, exponent);
      bits != kUndecided) {
    return FromBits(bits | (scan.negative ? kSignBit : 0));
  }

  BigUnsigned value;
  for (int i = 0; i < count; ++i) {
    value.MultiplyBy(10);
    value.Add(digits[i]);
  }

  if (exponent >= 0) {
    // digits * 10^e = (digits * 5^e) * 2^e, exactly.
    value.MultiplyByPowerOfFive(static_cast<unsigned>(exponent));
    return RoundToDouble(value, false, exponent, scan.negative);
  }
  // digits / 10^n = (digits * 2^s / 5^n) * 2^(-s-n); s gives the quotient
  // some seventy bits, more than rounding needs.
  const auto n = static_cast<unsigned>(-exponent);
  const std::int64_t five_bits = (std::int64_t{n} * 2322 + 999) / 1000;  // >= n * log2(5)
  std::int64_t shift = 72 + five_bits - static_cast<std::int64_t>(value.BitLength());
  if (shift < 0) {
    shift = 0;
  }
  value.ShiftLeft(static_cast<std::size_t>(shift));
  const bool inexact = value.DivideByPowerOfFive(n);
  return RoundToDouble(value, inexact, -shift - std::int64_t{n}, scan.negative);
}

}  // namespace

double ParseDecimal(const char* text) {
  return ValueOf(Scan(reinterpret_cast<const unsigned char*>(text)));
}

double TextToNumber(const char* text) {
  // The folded copy is never longer than the text. A short one, and the
  // texts of the edit boxes are short, is made on the stack; a long one
  // comes from the store.
  constexpr std::size_t kShortCopy = 64;
  if (const std::size_t length = std::strlen(text); length < kShortCopy) {
    char folded[kShortCopy];
    detail::FoldFullWidthInto(text, folded);
    return ParseDecimal(folded);
  }
  const OwnedText folded(FoldFullWidth(text));
  return ParseDecimal(folded.get());
}

}  // namespace tamrel
