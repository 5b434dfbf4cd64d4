#include "bench/conversion_inputs.h"

#include <bit>
#include <cstdint>
#include <random>

#include "calc/number_to_text.h"
#include "calc/output_voltage.h"
#include "calc/text_to_number.h"

namespace tamrel::bench {
namespace {

// The E24 series, in tenths of its decade.
constexpr int kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                        33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};

std::vector<double> E24Resistances() {
  std::vector<double> values;
  for (int decade = 1; decade <= 100000; decade *= 10) {
    for (const int tenths : kE24) {
      values.push_back(static_cast<double>(tenths * decade));
    }
  }
  values.push_back(1000000.0);
  return values;
}

std::vector<std::string> Spelled(const std::vector<double>& numbers) {
  std::vector<std::string> texts;
  texts.reserve(numbers.size());
  char text[kNumberTextCapacity];
  for (const double number : numbers) {
    FormatNumber(number, text);
    texts.emplace_back(text);
  }
  return texts;
}

}  // namespace

ConversionInputs E24Pairs() {
  ConversionInputs inputs{"e24", {}, {}};
  const std::vector<double> resistances = E24Resistances();
  for (const double r1 : resistances) {
    for (const double r2 : resistances) {
      inputs.numbers.push_back(r1);
      inputs.numbers.push_back(r2);
      inputs.numbers.push_back(ComputeOutputVoltage(r1, r2));
    }
  }
  inputs.texts = Spelled(inputs.numbers);
  return inputs;
}

ConversionInputs RandomBitPatterns(std::size_t count) {
  ConversionInputs inputs{"random_bits", {}, {}};
  std::mt19937_64 random(7);
  while (inputs.numbers.size() < count) {
    const std::uint64_t bits = random();
    if ((bits & 0x7FF0000000000000) != 0x7FF0000000000000) {
      inputs.numbers.push_back(std::bit_cast<double>(bits));
    }
  }
  inputs.texts = Spelled(inputs.numbers);
  return inputs;
}

ConversionInputs LongDecimalTexts(std::size_t count) {
  ConversionInputs inputs{"long_digits", {}, {}};
  std::mt19937_64 random(40);
  std::uniform_int_distribution<int> length(20, 40);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (std::size_t i = 0; i < count; ++i) {
    const int digits = length(random);
    std::uniform_int_distribution<int> point(0, digits);
    const int point_at = point(random);
    std::string text;
    if (random() % 2 == 0) {
      text.push_back('-');
    }
    if (point_at == 0) {
      text.push_back('0');
    }
    for (int d = 0; d < digits; ++d) {
      if (d == point_at) {
        text.push_back('.');
      }
      text.push_back(static_cast<char>('0' + (d == 0 ? 1 + digit(random) % 9 : digit(random))));
    }
    if (random() % 2 == 0) {
      text.push_back('e');
      text.append(std::to_string(exponent(random)));
    }
    inputs.numbers.push_back(ParseDecimal(text.c_str()));
    inputs.texts.push_back(std::move(text));
  }
  return inputs;
}

}  // namespace tamrel::bench
