#include "cli/decimal_value.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/text_to_number.h"

namespace tamrel::cli {
namespace {

struct TextCase {
  std::string digits;
  int exponent;
  std::string plain;
  std::string prefixed;
};

const TextCase kTextCases[] = {
    {"240", 0, "240", "240"},
    {"47", 2, "4700", "4.7k"},
    {"1", 6, "1000000", "1M"},
    {"22", -1, "2.2", "2.2"},
    {"102", -1, "10.2", "10.2"},
    {"47", -2, "0.47", "0.47"},
    {"1", -2, "0.01", "0.01"},
    {"0047000", -3, "47", "47"},  // leading and trailing zeros go
    {"999", 0, "999", "999"},
    {"1", 3, "1000", "1k"},
    {"100", 1, "1000", "1k"},
    {"12", 4, "120000", "120k"},
    {"15", 5, "1500000", "1.5M"},
    {"1", 9, "1000000000", "1G"},
    {"10000005", -1, "1000000.5", "1.0000005M"},
    {"", 7, "0", "0"},
    {"000", -4, "0", "0"},
};

TEST(DecimalValueTest, SpellsItselfWithAndWithoutPrefix) {
  for (const TextCase& c : kTextCases) {
    SCOPED_TRACE(c.digits + "e" + std::to_string(c.exponent));
    const DecimalValue value(c.digits, c.exponent);
    EXPECT_EQ(value.PlainText(), c.plain);
    EXPECT_EQ(value.PrefixedText(), c.prefixed);
  }
}

TEST(DecimalValueTest, ReadsAsTheCoreReadsItsPlainText) {
  for (const TextCase& c : kTextCases) {
    const DecimalValue value(c.digits, c.exponent);
    EXPECT_EQ(value.ToDouble(), ParseDecimal(value.PlainText().c_str())) << c.plain;
  }
  EXPECT_EQ(DecimalValue("47", 2).ToDouble(), 4700.0);
  EXPECT_EQ(DecimalValue("1", -1).ToDouble(), 0.1);
}

TEST(DecimalValueTest, OrdersByValueWhateverTheSpelling) {
  const DecimalValue kAscending[] = {
      DecimalValue("", 0),    DecimalValue("1", -2),   DecimalValue("99", -1),
      DecimalValue("1", 1),   DecimalValue("101", -1), DecimalValue("24", 1),
      DecimalValue("243", 0), DecimalValue("25", 1),   DecimalValue("1", 3)};
  for (std::size_t i = 0; i < std::size(kAscending); ++i) {
    for (std::size_t j = 0; j < std::size(kAscending); ++j) {
      EXPECT_EQ(kAscending[i] <=> kAscending[j], i <=> j) << i << " " << j;
    }
  }
  EXPECT_EQ(DecimalValue("2400", -1), DecimalValue("24", 1));
  EXPECT_EQ(DecimalValue("000", 5), DecimalValue());
}

struct ArithmeticCase {
  DecimalValue a;
  DecimalValue b;
  std::string sum;
  std::string difference;  // a - b
  std::string product;
};

const ArithmeticCase kArithmeticCases[] = {
    {DecimalValue("100", 0), DecimalValue("1", 0), "101", "99", "100"},
    {DecimalValue("100", 0), DecimalValue("5", -1), "100.5", "99.5", "50"},
    {DecimalValue("100", 0), DecimalValue("50", 0), "150", "50", "5000"},
    {DecimalValue("24", 1), DecimalValue("101", 0), "341", "139", "24240"},
    {DecimalValue("999", 0), DecimalValue("1", -3), "999.001", "998.999", "0.999"},
    {DecimalValue("99", 0), DecimalValue("99", 0), "198", "0", "9801"},
    {DecimalValue("123456789", -4), DecimalValue("987654321", -4), "111111.111", "",
     "1219326311.12635269"},
    {DecimalValue("7", 0), DecimalValue(), "7", "7", "0"},
};

TEST(DecimalValueTest, AddsSubtractsAndMultipliesExactly) {
  for (const ArithmeticCase& c : kArithmeticCases) {
    SCOPED_TRACE(c.a.PlainText() + " and " + c.b.PlainText());
    EXPECT_EQ((c.a + c.b).PlainText(), c.sum);
    EXPECT_EQ((c.b + c.a).PlainText(), c.sum);
    if (!c.difference.empty()) {
      EXPECT_EQ((c.a - c.b).PlainText(), c.difference);
    }
    EXPECT_EQ((c.a * c.b).PlainText(), c.product);
    EXPECT_EQ((c.b * c.a).PlainText(), c.product);
  }
}

}  // namespace
}  // namespace tamrel::cli
