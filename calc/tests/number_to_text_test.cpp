#include "calc/number_to_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "bits.h"
#include "calc/text_store.h"
#include "exact_reference.h"

namespace tamrel {
namespace {

using testing_support::FromBits;
using testing_support::HexOf;

std::string Spelled(double value) {
  const OwnedText text(NumberToText(value));
  return text.get();
}

struct SpellingCase {
  double value;
  const char* text;
};

class NumberToTextTable : public ::testing::TestWithParam<SpellingCase> {};

TEST_P(NumberToTextTable, SpellsTheValue) {
  const SpellingCase& c = GetParam();
  EXPECT_EQ(Spelled(c.value), c.text) << HexOf(c.value);
}

INSTANTIATE_TEST_SUITE_P(
    ResultVoltagesAndShapes, NumberToTextTable,
    ::testing::Values(SpellingCase{5.036, "5.036"}, SpellingCase{5.018, "5.018"},
                      SpellingCase{5.087878787878788, "5.087878787879"},
                      SpellingCase{std::nextafter(1.2513, 0.0), "1.2513"},
                      SpellingCase{1.25, "1.25"}, SpellingCase{-2.536, "-2.536"},
                      SpellingCase{12500500000001.25, "1.25005e+013"},
                      SpellingCase{1.25005e300, "1.25005e+300"},
                      SpellingCase{std::numeric_limits<double>::infinity(), "1.#INF"},
                      SpellingCase{-std::numeric_limits<double>::infinity(), "-1.#INF"},
                      SpellingCase{FromBits(0xFFF8000000000000), "-1.#IND"}, SpellingCase{0.0, "0"},
                      SpellingCase{-0.0, "0"}, SpellingCase{100, "100"},
                      SpellingCase{1234567890123, "1234567890123"},
                      SpellingCase{123456789012345, "1.234567890123e+014"},
                      SpellingCase{0.0001, "0.0001"}, SpellingCase{0.00012345, "0.00012345"},
                      SpellingCase{0.00001, "1e-005"}, SpellingCase{1.5e-7, "1.5e-007"},
                      SpellingCase{1.0 / 3.0, "0.3333333333333"},
                      SpellingCase{2.0 / 3.0, "0.6666666666667"}, SpellingCase{0.1 + 0.2, "0.3"},
                      SpellingCase{9.9999999999999, "10"}, SpellingCase{9999999999999.5, "1e+013"},
                      SpellingCase{1e100, "1e+100"},
                      SpellingCase{std::numeric_limits<double>::max(), "1.797693134862e+308"},
                      SpellingCase{FromBits(1), "4.940656458412e-324"},
                      SpellingCase{2.0065105741495, "2.00651057415"},
                      SpellingCase{FromBits(0x7FF8000000000000), "1.#QNAN"},
                      SpellingCase{FromBits(0x7FF0000000000001), "1.#QNAN"},
                      SpellingCase{FromBits(0xFFF0000000000001), "-1.#QNAN"},
                      // The longest shape there is.
                      SpellingCase{-1.234567890123e-308, "-1.234567890123e-308"},
                      SpellingCase{1e13, "1e+013"}, SpellingCase{9999999999999, "9999999999999"},
                      SpellingCase{0.000099999999999999, "0.0001"}, SpellingCase{1e-5, "1e-005"}));

TEST(NumberToText, TwoRoundingsDifferFromOne) {
  // 2.0065105741495 is 2.00651057414949995916...: one rounding to 13 digits
  // would give ...4149; the 17-digit form ...41495 rounds up.
  EXPECT_EQ(Spelled(2.0065105741495), "2.00651057415");
  EXPECT_EQ(reference::NumberText(2.0065105741495), "2.00651057415");
}

TEST(NumberToText, NeverLongerThanTwentyBytes) {
  char buffer[kNumberTextCapacity];
  EXPECT_EQ(FormatNumber(-1.234567890123e-308, buffer), 20u);
  EXPECT_EQ(std::strlen(buffer), 20u);
}

TEST(NumberToText, FormatNumberAndNumberToTextAgree) {
  char buffer[kNumberTextCapacity];
  for (const double value : {5.036, -0.0, 1e300, 3e-310}) {
    FormatNumber(value, buffer);
    EXPECT_EQ(Spelled(value), buffer);
  }
}

// Every double, not only the friendly ones: random bit patterns and the
// places where rounding carries, checked against the exact expansion.
TEST(NumberToText, AgreesWithExactReferenceOnRandomBitPatterns) {
  std::mt19937_64 random(20261211);
  for (int i = 0; i < 4000; ++i) {
    const double value = FromBits(random());
    ASSERT_EQ(Spelled(value), reference::NumberText(value)) << HexOf(value);
  }
}

TEST(NumberToText, AgreesWithExactReferenceNearRoundingBoundaries) {
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> exponent(-320, 300);
  std::uniform_int_distribution<std::uint64_t> digits(1000000000000, 9999999999999);
  for (int i = 0; i < 3000; ++i) {
    // d.dddddddddddd5 * 10^e and its neighbours: the 14th digit is a tie.
    const std::string text =
        std::to_string(digits(random)) + "5e" + std::to_string(exponent(random));
    const double near = std::strtod(text.c_str(), nullptr);
    for (const double value : {std::nextafter(near, 0.0), near, std::nextafter(near, 1e308)}) {
      ASSERT_EQ(Spelled(value), reference::NumberText(value)) << HexOf(value);
    }
  }
  for (int e = -324; e <= 308; ++e) {
    const double power = std::strtod(("1e" + std::to_string(e)).c_str(), nullptr);
    for (const double value : {std::nextafter(power, 0.0), power, std::nextafter(power, 1e308)}) {
      ASSERT_EQ(Spelled(value), reference::NumberText(value)) << HexOf(value);
    }
  }
}

// Exact decimals d * 10^j above 1e18 scale to whole numbers, which a quick
// estimate from below cannot tell from the number under them; and around
// 1e-10 and 1e18 the digits change from one fast way to the other.
TEST(NumberToText, AgreesWithExactReferenceOnExactDecimalsAndAtTheSeams) {
  std::mt19937_64 random(27);
  for (int j = 15; j <= 22; ++j) {
    std::uint64_t five_power = 1;
    for (int i = 0; i < j; ++i) five_power *= 5;
    const std::uint64_t max_factor = ((std::uint64_t{1} << 53) - 1) / five_power;
    std::uniform_int_distribution<std::uint64_t> factor(1, max_factor);
    for (int i = 0; i < 50; ++i) {
      // d * 5^j < 2^53 is exact, and so is the scaling by 2^j.
      const double value = std::ldexp(static_cast<double>(factor(random) * five_power), j);
      ASSERT_EQ(Spelled(value), reference::NumberText(value)) << HexOf(value);
    }
  }
  for (const double seam : {1e-11, 1e-10, 1e-9, 1e17, 1e18, 1e19}) {
    std::uniform_real_distribution<double> near(seam * 0.5, seam * 2);
    for (int i = 0; i < 200; ++i) {
      const double value = near(random);
      ASSERT_EQ(Spelled(value), reference::NumberText(value)) << HexOf(value);
    }
  }
}

}  // namespace
}  // namespace tamrel
