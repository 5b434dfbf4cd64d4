#include "fuzz/number_text_shape.h"

#include <cstddef>

namespace tamrel::fuzz {
namespace {

constexpr std::size_t kLongestText = 20;  // "-1.234567890123e-308"
constexpr std::size_t kDigits = 13;

constexpr std::string_view kWords[] = {"1.#INF", "-1.#INF", "-1.#IND", "1.#QNAN", "-1.#QNAN"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t CountDigits(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && IsDigit(text[count])) ++count;
  return count;
}

// "ddd" or "ddd.fff" with the fraction not ending in 0; `significant` gets
// the digits from the first non-zero one on, `leading_zeros` the zeros of
// the fraction in front of them when the whole part is 0.
const char* DecimalProblem(std::string_view text, std::size_t& whole_length,
                           std::size_t& significant, std::size_t& leading_zeros) {
  whole_length = CountDigits(text);
  if (whole_length == 0) return "no digit in front";
  if (whole_length > 1 && text[0] == '0') return "a leading zero";
  std::string_view rest = text.substr(whole_length);
  std::size_t fraction_length = 0;
  if (!rest.empty() && rest[0] == '.') {
    fraction_length = CountDigits(rest.substr(1));
    if (fraction_length == 0) return "a bare decimal point";
    if (rest[fraction_length] == '0') return "a trailing zero after the point";
    rest = rest.substr(1 + fraction_length);
  }
  if (!rest.empty()) return "characters after the number";
  const std::string_view fraction =
      fraction_length == 0 ? std::string_view() : text.substr(whole_length + 1, fraction_length);
  leading_zeros = 0;
  if (text[0] == '0') {
    while (leading_zeros < fraction.size() && fraction[leading_zeros] == '0') ++leading_zeros;
    significant = fraction.size() - leading_zeros;
  } else {
    significant = whole_length + fraction.size();
  }
  return "";
}

}  // namespace

const char* NumberTextShapeProblem(std::string_view text) {
  if (text.empty()) return "empty";
  if (text.size() > kLongestText) return "longer than 20 bytes";
  for (const std::string_view word : kWords) {
    if (text == word) return "";
  }
  if (text == "0") return "";
  std::string_view number = text;
  if (number[0] == '-') number.remove_prefix(1);

  const std::size_t e = number.find('e');
  std::size_t whole_length = 0;
  std::size_t significant = 0;
  std::size_t leading_zeros = 0;
  if (const char* problem =
          DecimalProblem(number.substr(0, e), whole_length, significant, leading_zeros);
      *problem != '\0') {
    return problem;
  }
  if (significant == 0) return "a zero other than \"0\"";
  if (significant > kDigits) return "more than 13 significant digits";

  if (e == std::string_view::npos) {
    // Fixed notation: decimal exponent from -4 to 12.
    if (number[0] == '0' && leading_zeros > 3) return "fixed notation below 0.0001";
    if (whole_length > kDigits) return "fixed notation from 1e13 on";
    return "";
  }
  if (whole_length != 1 || number[0] == '0') return "exponential mantissa not d.ddd";
  const std::string_view exponent = number.substr(e + 1);
  if (exponent.size() != 4 || (exponent[0] != '+' && exponent[0] != '-') ||
      CountDigits(exponent.substr(1)) != 3) {
    return "exponent not a sign and three digits";
  }
  const int value = (exponent[1] - '0') * 100 + (exponent[2] - '0') * 10 + (exponent[3] - '0');
  if (exponent[0] == '+' && (value < 13 || value > 308)) return "positive exponent out of range";
  if (exponent[0] == '-' && (value < 5 || value > 324)) return "negative exponent out of range";
  return "";
}

}  // namespace tamrel::fuzz
