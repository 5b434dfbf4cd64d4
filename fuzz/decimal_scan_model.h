// A plain, second reading of the decimal notation that ParseDecimal accepts,
// for checking it on arbitrary bytes: which number the text holds, as the
// significant digits that take part and a power of ten, without computing
// the double. Written for clarity, not speed.
#pragma once

#include <cstdint>
#include <string>

namespace tamrel::fuzz {

struct ScannedNumber {
  enum class Kind {
    kNoNumber,  // nothing at the front reads as a number: +0.0
    kZero,      // a zero mantissa or a value far too small: zero of the sign
    kInfinity,  // a value far too large: infinity of the sign
    kFinite,    // digits * 10^exponent with the sign
  };
  Kind kind = Kind::kNoNumber;
  bool negative = false;
  std::string digits;  // 1 to 24 digits, no leading or trailing zero (kFinite only)
  std::int64_t exponent = 0;
};

// `text` is zero-terminated.
ScannedNumber ScanDecimal(const char* text);

// The double that the scanned number must read as, from the exact reference;
// `tolerant` is set where the last bit is the implementer's choice (results
// in the subnormal range, within one unit in the last place).
struct ExpectedValue {
  double value;
  bool tolerant;
};
ExpectedValue ExpectedDouble(const ScannedNumber& number);

// True when `actual` is what `expected` allows; never for a NaN.
bool Matches(double actual, const ExpectedValue& expected);

}  // namespace tamrel::fuzz
