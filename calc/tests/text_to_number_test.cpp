#include "calc/text_to_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "bits.h"
#include "calc/text_store.h"
#include "exact_reference.h"

namespace tamrel {
namespace {

using testing_support::FromBits;
using testing_support::Hex;
using testing_support::HexOf;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct ReadingCase {
  const char* text;
  double value;
};

std::string Printable(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    if (*p >= 0x20 && *p < 0x7F) {
      out += static_cast<char>(*p);
    } else {
      out += "\\x" + Hex(*p).substr(14);
    }
  }
  return out;
}

void PrintTo(const ReadingCase& c, std::ostream* os) { *os << '"' << Printable(c.text) << '"'; }

class TextToNumberTable : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(TextToNumberTable, ReadsTheValueToTheBit) {
  const ReadingCase& c = GetParam();
  EXPECT_EQ(HexOf(TextToNumber(c.text)), HexOf(c.value)) << Printable(c.text);
}

INSTANTIATE_TEST_SUITE_P(
    EveryShapeOfInput, TextToNumberTable,
    ::testing::Values(
        ReadingCase{"240", 240}, ReadingCase{"  \t\n\v\f\r240", 240},
        ReadingCase{"\xA1\xA1"
                    "240",
                    240},
        ReadingCase{"240 ", 240}, ReadingCase{"240\xA6\xB8", 240}, ReadingCase{"4.7k", 4.7},
        ReadingCase{"1e3", 1000}, ReadingCase{"1E3", 1000}, ReadingCase{"1e+3", 1000},
        ReadingCase{"1d3", 1000}, ReadingCase{"1D3", 1000}, ReadingCase{"1e0003", 1000},
        ReadingCase{"2.2e-1", 0.22}, ReadingCase{".5", 0.5}, ReadingCase{"+.5", 0.5},
        ReadingCase{"5.", 5}, ReadingCase{"-720", -720}, ReadingCase{"\xA3\xB0\xA3\xB1", 1},
        ReadingCase{"\xA3\xB1\xA3\xAE\xA3\xB5", 1.5}, ReadingCase{"\xA3\xAD\xA3\xB5", -5},
        ReadingCase{"4\xA1\xA3"
                    "7",
                    4},
        ReadingCase{"1,000", 1}, ReadingCase{"1 000", 1}, ReadingCase{"0x1A", 0},
        ReadingCase{"", 0}, ReadingCase{"   ", 0}, ReadingCase{"abc", 0}, ReadingCase{"k1", 0},
        ReadingCase{"\xA6\xB8", 0}, ReadingCase{"inf", 0}, ReadingCase{"nan", 0},
        ReadingCase{"-", 0}, ReadingCase{"+", 0}, ReadingCase{".", 0}, ReadingCase{"-.", 0},
        ReadingCase{"+-1", 0}, ReadingCase{"- 5", 0}, ReadingCase{"e5", 0}, ReadingCase{"-0", -0.0},
        ReadingCase{"-0.000", -0.0}, ReadingCase{"-0e5", -0.0}, ReadingCase{"1e", 1},
        ReadingCase{"1e+", 1}, ReadingCase{"1ex", 1}, ReadingCase{"1e-x", 1},
        ReadingCase{"12.5e", 12.5}, ReadingCase{"1.2.3", 1.2}, ReadingCase{"1e400", kInfinity},
        ReadingCase{"1e5201", kInfinity}, ReadingCase{"1e99999999999", kInfinity},
        ReadingCase{"-1e400", -kInfinity}, ReadingCase{"1e-400", 0.0}, ReadingCase{"-1e-400", -0.0},
        ReadingCase{"1.7976931348623158e308", std::numeric_limits<double>::max()},
        ReadingCase{"1.7976931348623159e308", kInfinity},
        ReadingCase{"9007199254740993", 9007199254740992.0},
        ReadingCase{"9007199254740995", 9007199254740994.0},
        ReadingCase{"18014398509481987", 18014398509481988.0},
        ReadingCase{"9007199254740995.000000000000000000001", 9007199254740994.0},
        ReadingCase{"0.1", FromBits(0x3FB999999999999A)}, ReadingCase{"1e+013", 1e13},
        ReadingCase{"1.25005e+300", 1.25005e300}, ReadingCase{"1e-005", 0.00001},
        ReadingCase{"1.#INF", 1}, ReadingCase{"1.#QNAN", 1}, ReadingCase{"-1.#INF", -1},
        ReadingCase{"-1.#IND", -1},
        // The 25th significant digit rounds the 24th, carrying through nines.
        ReadingCase{"9999999999999999999999995", 1e25},
        ReadingCase{"1000000000000000000000004999", 1e27},
        // The exponent saturates, so a long exponent with a long mantissa
        // still lands where the value says.
        ReadingCase{"0.000000000000000000000000000001e5230", kInfinity},
        ReadingCase{"100000e-5205", 0.0}, ReadingCase{"2.4703282292062328e-324", FromBits(1)},
        ReadingCase{"2.4703282292062327e-324", 0.0}));

TEST(ParseDecimal, DoesNotFoldFullWidthOrIdeographicSpace) {
  EXPECT_EQ(HexOf(ParseDecimal("\xA1\xA1"
                               "240")),
            HexOf(0.0));
  EXPECT_EQ(HexOf(ParseDecimal("\xA3\xB1")), HexOf(0.0));
  EXPECT_EQ(ParseDecimal(" 240"), 240);
}

TEST(ParseDecimal, HalfwayBetweenDoublesGoesTowardZero) {
  // Between 2^53 and 2^63 the midpoint of two neighbouring doubles is an
  // integer of at most 19 digits: exactly halfway must go toward zero, one
  // above it away from zero.
  std::mt19937_64 random(53);
  for (int i = 0; i < 500; ++i) {
    const std::uint64_t low = (random() >> 1) | (std::uint64_t{1} << 62);
    const double below = static_cast<double>(low & ~std::uint64_t{0x3FF});  // exact: 53 bits
    const double above = std::nextafter(below, kInfinity);
    const std::uint64_t midpoint =
        static_cast<std::uint64_t>(below) / 2 + static_cast<std::uint64_t>(above) / 2;
    for (const bool negative : {false, true}) {
      const std::string sign = negative ? "-" : "";
      const double toward_zero = negative ? -below : below;
      const double away = negative ? -above : above;
      EXPECT_EQ(HexOf(ParseDecimal((sign + std::to_string(midpoint)).c_str())), HexOf(toward_zero))
          << midpoint;
      EXPECT_EQ(HexOf(ParseDecimal((sign + std::to_string(midpoint + 1)).c_str())), HexOf(away))
          << midpoint;
      EXPECT_EQ(HexOf(ParseDecimal((sign + std::to_string(midpoint) + ".1").c_str())), HexOf(away))
          << midpoint;
    }
  }
}

struct FoldCase {
  const char* text;
  const char* folded;
};

class FoldFullWidthTable : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldFullWidthTable, FoldsPairsAndKeepsTheRest) {
  const OwnedText folded(FoldFullWidth(GetParam().text));
  EXPECT_EQ(Printable(folded.get()), Printable(GetParam().folded));
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, FoldFullWidthTable,
    ::testing::Values(FoldCase{"", ""}, FoldCase{"240", "240"}, FoldCase{"\xA1\xA1", " "},
                      FoldCase{"\xA1\xAB", "~"}, FoldCase{"\xA1\xEE\xA1\xEF", "**"},
                      FoldCase{"\xA3\xA1", "!"}, FoldCase{"\xA3\xA4", "$"},
                      FoldCase{"\xA3\xFE", "~"}, FoldCase{"\xA3\xB0\xA3\xB9", "09"},
                      FoldCase{"\xA3\xAB\xA3\xAD", "+-"}, FoldCase{"\xA3\xAE\xA3\xAC", ".,"},
                      FoldCase{"\xA3\xC5\xA3\xE5\xA3\xC4\xA3\xE4", "EeDd"},
                      // Kept as they are: the ideographic full stop, Omega, a
                      // pair whose second byte is below the row.
                      FoldCase{"4\xA1\xA3"
                               "7",
                               "4\xA1\xA3"
                               "7"},
                      FoldCase{"\xA6\xB8", "\xA6\xB8"}, FoldCase{"\xA3\x41", "\xA3\x41"},
                      // A lead byte at the very end is dropped; a pair never splits.
                      FoldCase{"12\xA3", "12"}, FoldCase{"\xA3\xB1\xA3", "1"},
                      FoldCase{"\x80\x31", "\x80\x31"}));

// The digits of a text that take part, as the reader must take them: at most
// 24 significant digits, rounded on the 25th; `scale` is the power of ten
// that the whole number of `significant` stands for.
struct TakenPart {
  std::string significant;
  std::int64_t scale;
};

TakenPart TakePart(std::string digits, std::int64_t scale) {
  const std::size_t first = digits.find_first_not_of('0');
  std::string significant = first == std::string::npos ? "" : digits.substr(first);
  if (significant.size() > 24) {
    scale += static_cast<std::int64_t>(significant.size()) - 24;
    const bool up = significant[24] >= '5';
    significant.resize(24);
    if (up) {
      int at = 23;
      while (at >= 0 && significant[at] == '9') significant[at--] = '0';
      if (at < 0)
        significant.insert(significant.begin(), '1');
      else
        ++significant[at];
    }
  }
  return {significant, scale};
}

double ExpectedValue(bool negative, const std::string& digits, std::int64_t scale) {
  const TakenPart part = TakePart(digits, scale);
  return reference::NearestDouble(negative, part.significant, part.scale);
}

// Generated texts: sign, digits before and after the point, exponent; the
// reference reads the same parts with exact arithmetic.
TEST(TextToNumber, AgreesWithExactReferenceOnGeneratedTexts) {
  std::mt19937_64 random(1117);
  std::uniform_int_distribution<int> length(0, 30);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> exponent(-360, 330);
  for (int i = 0; i < 1500; ++i) {
    const bool negative = random() % 2 == 0;
    std::string whole;
    std::string fraction;
    for (int n = length(random); n > 0; --n) whole += static_cast<char>('0' + digit(random));
    for (int n = length(random); n > 0; --n) fraction += static_cast<char>('0' + digit(random));
    if (whole.empty() && fraction.empty()) whole = "7";
    const int e = exponent(random);
    const std::string text =
        (negative ? "-" : "") + whole + "." + fraction + "e" + std::to_string(e);
    const double expected =
        ExpectedValue(negative, whole + fraction, e - static_cast<std::int64_t>(fraction.size()));
    ASSERT_EQ(HexOf(TextToNumber(text.c_str())), HexOf(expected)) << text;
  }
}

// Where a quick estimate cannot decide: texts at and next to the exact
// midpoint between two neighbouring doubles, cut to 17 to 25 digits, over
// the whole range of normal doubles, and more of them between 2^42 and 2^80
// where the midpoints themselves have at most 24 digits.
TEST(TextToNumber, AgreesWithExactReferenceNextToMidpoints) {
  std::mt19937_64 random(2117);
  std::uniform_int_distribution<std::uint64_t> any_exponent(1, 0x7FD);
  std::uniform_int_distribution<std::uint64_t> short_midpoints(1023 + 42, 1023 + 79);
  for (int i = 0; i < 200; ++i) {
    const std::uint64_t biased_exponent =
        i % 2 == 0 ? any_exponent(random) : short_midpoints(random);
    const std::uint64_t bits = (biased_exponent << 52) | (random() & 0xFFFFFFFFFFFFF);
    const auto biased = static_cast<std::int64_t>(biased_exponent);
    // (2m + 1) * 2^(e - 1) is halfway between m * 2^e and (m + 1) * 2^e.
    const std::uint64_t significand = (bits & 0xFFFFFFFFFFFFF) | (std::uint64_t{1} << 52);
    const reference::Decimal midpoint =
        reference::ExactDecimal(2 * significand + 1, biased - 1075 - 1);
    const auto length = static_cast<std::int64_t>(midpoint.digits.size());
    for (const std::int64_t cut : {17, 19, 20, 23, 24, 25}) {
      if (cut > length) continue;
      std::string digits = midpoint.digits.substr(0, static_cast<std::size_t>(cut));
      const std::int64_t scale = midpoint.exponent + length - cut;
      const bool negative = random() % 2 == 0;
      std::string variants[] = {digits, digits};
      if (variants[1].back() != '9') ++variants[1].back();  // just above the cut
      for (const std::string& variant : variants) {
        const std::string text = (negative ? "-" : "") + variant + "e" + std::to_string(scale);
        ASSERT_EQ(HexOf(TextToNumber(text.c_str())), HexOf(ExpectedValue(negative, variant, scale)))
            << text;
      }
    }
    if (length <= 24) {
      // The exact midpoint: toward zero.
      const std::string text = midpoint.digits + "e" + std::to_string(midpoint.exponent);
      ASSERT_EQ(HexOf(TextToNumber(text.c_str())), HexOf(FromBits(bits))) << text;
    }
  }
}

TEST(TextToNumber, ReadsLongTextsAsShortOnes) {
  // Full-width digits take two bytes each: the folded copy of a text of 31
  // of them fits a short buffer, 32 and more do not.
  for (const int count : {1, 31, 32, 33, 40, 200}) {
    std::string text = "\xA3\xB1";                       // １
    for (int i = 1; i < count; ++i) text += "\xA3\xB0";  // ０
    const double expected = reference::NearestDouble(false, "1", count - 1);
    EXPECT_EQ(HexOf(TextToNumber(text.c_str())), HexOf(expected)) << count;
    EXPECT_EQ(HexOf(TextToNumber(("  " + std::string(count, '0') + "1.5").c_str())), HexOf(1.5))
        << count;
  }
}

}  // namespace
}  // namespace tamrel
