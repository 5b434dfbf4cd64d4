// Non-negative decimal numbers held exactly, as digits times a power of ten:
// resistances typed or taken from a series table, and the factors that a
// tolerance makes of them. Comparing and multiplying them loses nothing; the
// double is taken once, at the end, by the core's own decimal reader, so a
// value reads exactly as the window reads the same digits.
#pragma once

#include <compare>
#include <string>
#include <string_view>

namespace tamrel::cli {

class DecimalValue {
 public:
  DecimalValue() = default;  // zero
  // `digits` (only '0' to '9', possibly with leading or trailing zeros)
  // times 10 to the power `exponent`.
  DecimalValue(std::string_view digits, int exponent);

  bool IsZero() const { return digits_.empty(); }
  // The power of ten of the leading digit: 2 for 240, -1 for 0.47.
  // Not meaningful for zero.
  int LeadingPower() const { return exponent_ + static_cast<int>(digits_.size()) - 1; }

  // The value times 10 to the power `places`.
  DecimalValue ScaledByPowerOfTen(int places) const;

  friend std::strong_ordering operator<=>(const DecimalValue& a, const DecimalValue& b);
  friend bool operator==(const DecimalValue& a, const DecimalValue& b) = default;

  friend DecimalValue operator*(const DecimalValue& a, const DecimalValue& b);
  friend DecimalValue operator+(const DecimalValue& a, const DecimalValue& b);
  // `a` must not be below `b`.
  friend DecimalValue operator-(const DecimalValue& a, const DecimalValue& b);

  // The double that the core's reader (ParseDecimal) gives for the value.
  double ToDouble() const;
  // Without exponent or prefix: "4700", "10.2", "0.47", "0".
  std::string PlainText() const;
  // With the prefix k, M or G once the value reaches it: "240", "4.7k",
  // "1M", "10.2", "0.47".
  std::string PrefixedText() const;

 private:
  // Normalised: no leading or trailing zero digit; empty with exponent 0
  // for zero.
  std::string digits_;
  int exponent_ = 0;
};

}  // namespace tamrel::cli
