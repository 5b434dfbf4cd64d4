#include "cli/resistor_prefix_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tamrel::cli {
namespace {

struct ReadCase {
  std::string text;
  Quantity quantity;
  std::optional<std::string> value;  // PlainText of the magnitude; none: rejected
  bool negative;
};

constexpr Quantity kOhms = Quantity::kResistance;
constexpr Quantity kVolts = Quantity::kVoltage;

const ReadCase kReadCases[] = {
    // As schematics write resistances.
    {"100", kOhms, "100", false},
    {"4.7k", kOhms, "4700", false},
    {"4k7", kOhms, "4700", false},
    {"4K7", kOhms, "4700", false},
    {"1M", kOhms, "1000000", false},
    {"1M5", kOhms, "1500000", false},
    {"2R2", kOhms, "2.2", false},
    {"R47", kOhms, "0.47", false},
    {"240R", kOhms, "240", false},
    {"10k", kOhms, "10000", false},
    {"1G", kOhms, "1000000000", false},
    {"0.5", kOhms, "0.5", false},
    {".5", kOhms, "0.5", false},
    {"5.", kOhms, "5", false},
    {"007", kOhms, "7", false},
    {"1.00k", kOhms, "1000", false},
    {"4k75", kOhms, "4750", false},
    {"0", kOhms, "0", false},
    {"-240", kOhms, "240", true},
    {"-4k7", kOhms, "4700", true},
    // "m" is milli, never mega; units, exponents, signs and spaces are not read.
    {"1m", kOhms, std::nullopt, false},
    {"4m7", kOhms, std::nullopt, false},
    {"1e3", kOhms, std::nullopt, false},
    {"240ohm", kOhms, std::nullopt, false},
    {"+240", kOhms, std::nullopt, false},
    {" 240", kOhms, std::nullopt, false},
    {"240 ", kOhms, std::nullopt, false},
    {"", kOhms, std::nullopt, false},
    {"-", kOhms, std::nullopt, false},
    {".", kOhms, std::nullopt, false},
    {"k", kOhms, std::nullopt, false},
    {"4.7k5", kOhms, std::nullopt, false},
    {"4k7k", kOhms, std::nullopt, false},
    {"4.7.1", kOhms, std::nullopt, false},
    {"1kk", kOhms, std::nullopt, false},
    {"4V7", kOhms, std::nullopt, false},
    {"--1", kOhms, std::nullopt, false},
    // Voltages: "V" in place of the point or at the end, no resistor letters.
    {"3.3", kVolts, "3.3", false},
    {"3V3", kVolts, "3.3", false},
    {"3.3V", kVolts, "3.3", false},
    {"5V", kVolts, "5", false},
    {"12", kVolts, "12", false},
    {"-5", kVolts, "5", true},
    {"3k3", kVolts, std::nullopt, false},
    {"3R3", kVolts, std::nullopt, false},
    {"3v3", kVolts, std::nullopt, false},
    {"3.3VV", kVolts, std::nullopt, false},
    {"V", kVolts, std::nullopt, false},
};

TEST(ResistorPrefixReaderTest, ReadsWhatSchematicsWrite) {
  for (const ReadCase& c : kReadCases) {
    SCOPED_TRACE("'" + c.text + (c.quantity == kOhms ? "' as ohms" : "' as volts"));
    const std::optional<SchematicNumber> number = ReadSchematicNumber(c.text, c.quantity);
    ASSERT_EQ(number.has_value(), c.value.has_value());
    if (!number) continue;
    EXPECT_EQ(number->magnitude.PlainText(), *c.value);
    EXPECT_EQ(number->negative, c.negative);
  }
}

TEST(ResistorPrefixReaderTest, PlainNumbersTakeNoLetters) {
  const std::pair<std::string, std::optional<std::string>> kCases[] = {
      {"1", "1"},           {"0.5", "0.5"},       {"50", "50"},
      {"-2", "2"},          {"1k", std::nullopt}, {"1R", std::nullopt},
      {"1%", std::nullopt}, {"", std::nullopt},   {"1e1", std::nullopt}};
  for (const auto& [text, value] : kCases) {
    const std::optional<SchematicNumber> number = ReadPlainNumber(text);
    ASSERT_EQ(number.has_value(), value.has_value()) << text;
    if (number) {
      EXPECT_EQ(number->magnitude.PlainText(), *value) << text;
    }
  }
  EXPECT_TRUE(ReadPlainNumber("-2")->negative);
}

}  // namespace
}  // namespace tamrel::cli
