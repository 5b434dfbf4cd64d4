#include "fuzz/decimal_scan_model.h"

#include <bit>
#include <cmath>
#include <limits>

#include "calc/tests/exact_reference.h"

namespace tamrel::fuzz {
namespace {

constexpr std::size_t kStoredDigits = 25;
constexpr std::int64_t kExponentLimit = 5200;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsExponentLetter(char c) { return c == 'e' || c == 'E' || c == 'd' || c == 'D'; }

// Adds one unit to the last digit of a string of digits, carrying.
void Increment(std::string& digits) {
  std::size_t at = digits.size();
  while (at > 0 && digits[at - 1] == '9') {
    digits[--at] = '0';
  }
  if (at == 0) {
    digits.insert(digits.begin(), '1');
  } else {
    ++digits[at - 1];
  }
}

std::uint64_t Magnitude(double value) { return std::bit_cast<std::uint64_t>(std::fabs(value)); }

}  // namespace

ScannedNumber ScanDecimal(const char* text) {
  const char* p = text;
  while (IsSpace(*p)) ++p;

  ScannedNumber number;
  if (*p == '+' || *p == '-') {
    number.negative = *p == '-';
    ++p;
  }

  std::string digits;
  std::int64_t adjustment = 0;
  bool digit_seen = false;
  for (; IsDigit(*p); ++p) {
    digit_seen = true;
    if (digits.empty() && *p == '0') continue;
    if (digits.size() < kStoredDigits) {
      digits += *p;
    } else {
      ++adjustment;
    }
  }
  // "5." is a number, "." alone is not.
  if (*p == '.' && (digit_seen || IsDigit(p[1]))) {
    for (++p; IsDigit(*p); ++p) {
      digit_seen = true;
      if (digits.empty() && *p == '0') {
        --adjustment;
      } else if (digits.size() < kStoredDigits) {
        digits += *p;
        --adjustment;
      }
    }
  }
  if (!digit_seen) {
    return ScannedNumber{};  // "+0.0, also after a -"
  }

  std::int64_t exponent_value = 0;
  int exponent_sign = 1;
  if (IsExponentLetter(*p)) {
    const char* q = p + 1;
    int sign = 1;
    if (*q == '+' || *q == '-') {
      sign = *q == '-' ? -1 : 1;
      ++q;
    }
    if (IsDigit(*q)) {
      exponent_sign = sign;
      for (; IsDigit(*q); ++q) {
        if (exponent_value <= kExponentLimit) {
          exponent_value = exponent_value * 10 + (*q - '0');
          if (exponent_value > kExponentLimit) exponent_value = kExponentLimit + 1;
        }
      }
    }
  }

  // 25 digits stored: 24 take part, rounded on the 25th.
  if (digits.size() == kStoredDigits) {
    const bool up = digits.back() >= '5';
    digits.pop_back();
    if (up) Increment(digits);
    ++adjustment;
  }
  while (!digits.empty() && digits.back() == '0') {
    digits.pop_back();
    ++adjustment;
  }
  if (digits.empty()) {
    number.kind = ScannedNumber::Kind::kZero;
    return number;
  }
  const std::int64_t exponent = exponent_sign * exponent_value + adjustment;
  if (exponent > kExponentLimit) {
    number.kind = ScannedNumber::Kind::kInfinity;
  } else if (exponent < -kExponentLimit) {
    number.kind = ScannedNumber::Kind::kZero;
  } else {
    number.kind = ScannedNumber::Kind::kFinite;
    number.digits = digits;
    number.exponent = exponent;
  }
  return number;
}

ExpectedValue ExpectedDouble(const ScannedNumber& number) {
  const double sign = number.negative ? -1.0 : 1.0;
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  switch (number.kind) {
    case ScannedNumber::Kind::kNoNumber:
      return {0.0, false};
    case ScannedNumber::Kind::kZero:
      return {std::copysign(0.0, sign), false};
    case ScannedNumber::Kind::kInfinity:
      return {std::copysign(kInfinity, sign), false};
    case ScannedNumber::Kind::kFinite:
      break;
  }
  // The value lies in [10^(top - 1), 10^top). Far outside the range of
  // doubles the answer is plain, and the exact reference would take long.
  const std::int64_t top = number.exponent + static_cast<std::int64_t>(number.digits.size());
  if (top - 1 >= 309) {
    return {std::copysign(kInfinity, sign), false};
  }
  if (top <= -324) {
    // Below half the smallest subnormal: zero is nearest, the smallest
    // subnormal one unit away.
    return {std::copysign(0.0, sign), true};
  }
  const double nearest = reference::NearestDouble(number.negative, number.digits, number.exponent);
  // Up to the smallest normal: the true value may lie below it.
  return {nearest, Magnitude(nearest) <= 0x0010000000000000};
}

bool Matches(double actual, const ExpectedValue& expected) {
  if (std::isnan(actual)) return false;
  if (std::signbit(actual) != std::signbit(expected.value)) return false;
  const std::uint64_t got = Magnitude(actual);
  const std::uint64_t want = Magnitude(expected.value);
  if (got == want) return true;
  return expected.tolerant && (got > want ? got - want : want - got) == 1;
}

}  // namespace tamrel::fuzz
