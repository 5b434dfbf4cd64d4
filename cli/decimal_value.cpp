#include "cli/decimal_value.h"

#include <algorithm>
#include <array>
#include <vector>

#include "calc/text_to_number.h"

namespace tamrel::cli {
namespace {

// Both values' digits written out to the same (the smaller) exponent.
struct AlignedDigits {
  std::string a;
  std::string b;
  int exponent;
};

AlignedDigits Aligned(std::string_view a_digits, int a_exponent, std::string_view b_digits,
                      int b_exponent) {
  const int exponent = std::min(a_exponent, b_exponent);
  AlignedDigits aligned{std::string(a_digits), std::string(b_digits), exponent};
  aligned.a.append(static_cast<std::size_t>(a_exponent - exponent), '0');
  aligned.b.append(static_cast<std::size_t>(b_exponent - exponent), '0');
  const std::size_t width = std::max(aligned.a.size(), aligned.b.size());
  aligned.a.insert(0, width - aligned.a.size(), '0');
  aligned.b.insert(0, width - aligned.b.size(), '0');
  return aligned;
}

int DigitAt(const std::string& digits, std::size_t index) { return digits[index] - '0'; }

}  // namespace

DecimalValue::DecimalValue(std::string_view digits, int exponent) {
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return;
  const std::size_t last = digits.find_last_not_of('0');
  digits_.assign(digits.substr(first, last - first + 1));
  exponent_ = exponent + static_cast<int>(digits.size() - 1 - last);
}

DecimalValue DecimalValue::ScaledByPowerOfTen(int places) const {
  if (IsZero()) return {};
  return DecimalValue(digits_, exponent_ + places);
}

std::strong_ordering operator<=>(const DecimalValue& a, const DecimalValue& b) {
  if (a.IsZero() || b.IsZero()) return !a.IsZero() <=> !b.IsZero();
  if (a.LeadingPower() != b.LeadingPower()) return a.LeadingPower() <=> b.LeadingPower();
  // Same leading power and no trailing zeros: the digits compare as texts.
  return a.digits_.compare(b.digits_) <=> 0;
}

DecimalValue operator*(const DecimalValue& a, const DecimalValue& b) {
  if (a.IsZero() || b.IsZero()) return {};
  std::vector<int> sums(a.digits_.size() + b.digits_.size(), 0);
  for (std::size_t i = 0; i < a.digits_.size(); ++i) {
    for (std::size_t j = 0; j < b.digits_.size(); ++j) {
      sums[i + j + 1] += DigitAt(a.digits_, i) * DigitAt(b.digits_, j);
    }
  }
  for (std::size_t k = sums.size() - 1; k > 0; --k) {
    sums[k - 1] += sums[k] / 10;
    sums[k] %= 10;
  }
  std::string digits;
  for (const int digit : sums) digits.push_back(static_cast<char>('0' + digit));
  return DecimalValue(digits, a.exponent_ + b.exponent_);
}

DecimalValue operator+(const DecimalValue& a, const DecimalValue& b) {
  const AlignedDigits aligned = Aligned(a.digits_, a.exponent_, b.digits_, b.exponent_);
  std::string digits(aligned.a.size() + 1, '0');
  int carry = 0;
  for (std::size_t k = aligned.a.size(); k > 0; --k) {
    const int sum = DigitAt(aligned.a, k - 1) + DigitAt(aligned.b, k - 1) + carry;
    digits[k] = static_cast<char>('0' + sum % 10);
    carry = sum / 10;
  }
  digits[0] = static_cast<char>('0' + carry);
  return DecimalValue(digits, aligned.exponent);
}

DecimalValue operator-(const DecimalValue& a, const DecimalValue& b) {
  const AlignedDigits aligned = Aligned(a.digits_, a.exponent_, b.digits_, b.exponent_);
  std::string digits(aligned.a.size(), '0');
  int borrow = 0;
  for (std::size_t k = aligned.a.size(); k > 0; --k) {
    int difference = DigitAt(aligned.a, k - 1) - DigitAt(aligned.b, k - 1) - borrow;
    borrow = difference < 0 ? 1 : 0;
    digits[k - 1] = static_cast<char>('0' + difference + 10 * borrow);
  }
  return DecimalValue(digits, aligned.exponent);
}

double DecimalValue::ToDouble() const {
  const std::string text = digits_ + "e" + std::to_string(exponent_);
  return ParseDecimal(text.c_str());
}

std::string DecimalValue::PlainText() const {
  if (IsZero()) return "0";
  if (exponent_ >= 0) return digits_ + std::string(static_cast<std::size_t>(exponent_), '0');
  const std::size_t fraction = static_cast<std::size_t>(-exponent_);
  if (fraction < digits_.size()) {
    return digits_.substr(0, digits_.size() - fraction) + "." +
           digits_.substr(digits_.size() - fraction);
  }
  return "0." + std::string(fraction - digits_.size(), '0') + digits_;
}

std::string DecimalValue::PrefixedText() const {
  struct Prefix {
    int power;
    std::string_view letter;
  };
  constexpr std::array<Prefix, 3> kPrefixes = {{{9, "G"}, {6, "M"}, {3, "k"}}};
  if (!IsZero()) {
    for (const Prefix& prefix : kPrefixes) {
      if (LeadingPower() >= prefix.power) {
        return ScaledByPowerOfTen(-prefix.power).PlainText() + std::string(prefix.letter);
      }
    }
  }
  return PlainText();
}

}  // namespace tamrel::cli
