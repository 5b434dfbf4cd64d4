#include "cli/resistor_prefix_reader.h"

#include <array>
#include <span>
#include <string>

namespace tamrel::cli {
namespace {

struct Multiplier {
  char letter;
  int power_of_ten;
};

constexpr std::array<Multiplier, 5> kResistanceLetters = {
    {{'R', 0}, {'k', 3}, {'K', 3}, {'M', 6}, {'G', 9}}};
constexpr std::array<Multiplier, 1> kVoltageLetters = {{{'V', 0}}};

std::optional<int> PowerOfLetter(char letter, Quantity quantity) {
  const std::span<const Multiplier> letters = quantity == Quantity::kResistance
                                                  ? std::span<const Multiplier>(kResistanceLetters)
                                                  : std::span<const Multiplier>(kVoltageLetters);
  for (const Multiplier& multiplier : letters) {
    if (multiplier.letter == letter) return multiplier.power_of_ten;
  }
  return std::nullopt;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the front of `text`, taken off it.
std::string_view TakeDigits(std::string_view& text) {
  std::size_t count = 0;
  while (count < text.size() && IsDigit(text[count])) ++count;
  const std::string_view digits = text.substr(0, count);
  text.remove_prefix(count);
  return digits;
}

// Whole digits, then the digits after the point or letter.
DecimalValue FromParts(std::string_view whole, std::string_view fraction, int power_of_ten) {
  return DecimalValue(std::string(whole) + std::string(fraction),
                      power_of_ten - static_cast<int>(fraction.size()));
}

}  // namespace

std::optional<SchematicNumber> ReadSchematicNumber(std::string_view text, Quantity quantity) {
  SchematicNumber number;
  if (text.starts_with('-')) {
    number.negative = true;
    text.remove_prefix(1);
  }
  const std::string_view whole = TakeDigits(text);
  if (text.empty()) {
    if (whole.empty()) return std::nullopt;
    number.magnitude = FromParts(whole, {}, 0);
    return number;
  }
  if (text.front() == '.') {
    // "4.7k": the letter, if any, ends the text.
    text.remove_prefix(1);
    const std::string_view fraction = TakeDigits(text);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    int power = 0;
    if (!text.empty()) {
      const std::optional<int> letter_power = PowerOfLetter(text.front(), quantity);
      if (!letter_power || text.size() != 1) return std::nullopt;
      power = *letter_power;
    }
    number.magnitude = FromParts(whole, fraction, power);
    return number;
  }
  // "4k7", "R47", "100R": the letter in place of the point.
  const std::optional<int> power = PowerOfLetter(text.front(), quantity);
  if (!power) return std::nullopt;
  text.remove_prefix(1);
  const std::string_view fraction = TakeDigits(text);
  if (!text.empty() || (whole.empty() && fraction.empty())) return std::nullopt;
  number.magnitude = FromParts(whole, fraction, *power);
  return number;
}

std::optional<SchematicNumber> ReadPlainNumber(std::string_view text) {
  SchematicNumber number;
  if (text.starts_with('-')) {
    number.negative = true;
    text.remove_prefix(1);
  }
  const std::string_view whole = TakeDigits(text);
  std::string_view fraction;
  if (text.starts_with('.')) {
    text.remove_prefix(1);
    fraction = TakeDigits(text);
  }
  if (!text.empty() || (whole.empty() && fraction.empty())) return std::nullopt;
  number.magnitude = FromParts(whole, fraction, 0);
  return number;
}

}  // namespace tamrel::cli
