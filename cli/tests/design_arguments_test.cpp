#include "cli/design_arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamrel::cli {
namespace {

ParsedDesign Read(const std::vector<std::string_view>& arguments) {
  return ReadDesignArguments(arguments);
}

std::string Joined(const std::vector<std::string_view>& arguments) {
  std::string joined;
  for (const std::string_view argument : arguments) {
    joined.push_back('[');
    joined.append(argument);
    joined.push_back(']');
  }
  return joined;
}

TEST(DesignArgumentsTest, DefaultsAreE24WithTheUsualRanges) {
  const ParsedDesign parsed = Read({"3.3"});
  ASSERT_EQ(parsed.error, "");
  const DesignRequest& request = parsed.request;
  EXPECT_EQ(request.vout.PlainText(), "3.3");
  EXPECT_EQ(request.series->name, "E24");
  EXPECT_FALSE(request.fixed_r1.has_value());
  EXPECT_EQ(request.r1_range.lowest.PlainText(), "100");
  EXPECT_EQ(request.r1_range.highest.PlainText(), "1000");
  EXPECT_EQ(request.r2_range.lowest.PlainText(), "10");
  EXPECT_EQ(request.r2_range.highest.PlainText(), "1000000");
  EXPECT_EQ(request.tolerance_percent.PlainText(), "1");
  EXPECT_EQ(request.count, 5u);
  EXPECT_FALSE(request.csv);
}

TEST(DesignArgumentsTest, EveryOptionInAnyOrder) {
  const ParsedDesign parsed = Read({"--csv", "--series", "E192", "--count", "1000", "5V", "--r1",
                                    "2k2", "--r2-range", "R47:4M7", "--tolerance", "0.5%"});
  ASSERT_EQ(parsed.error, "");
  const DesignRequest& request = parsed.request;
  EXPECT_EQ(request.vout.PlainText(), "5");
  EXPECT_EQ(request.series->name, "E192");
  ASSERT_TRUE(request.fixed_r1.has_value());
  EXPECT_EQ(request.fixed_r1->PlainText(), "2200");
  EXPECT_EQ(request.r2_range.lowest.PlainText(), "0.47");
  EXPECT_EQ(request.r2_range.highest.PlainText(), "4700000");
  EXPECT_EQ(request.tolerance_percent.PlainText(), "0.5");
  EXPECT_EQ(request.count, 1000u);
  EXPECT_TRUE(request.csv);

  const ParsedDesign ranged =
      Read({"3V3", "--r1-range", "1k:1k", "--tolerance", "0", "--count", "1"});
  ASSERT_EQ(ranged.error, "");
  EXPECT_EQ(ranged.request.r1_range.lowest, ranged.request.r1_range.highest);
  EXPECT_TRUE(ranged.request.tolerance_percent.IsZero());
  EXPECT_EQ(ranged.request.count, 1u);
  // The limits themselves are accepted.
  EXPECT_EQ(Read({"1.2500001", "--r2-range", "0.01:1G", "--tolerance", "50"}).error, "");
}

struct ErrorCase {
  std::vector<std::string_view> arguments;
  std::string message;  // the whole line
};

const ErrorCase kErrorCases[] = {
    {{}, "design needs VOUT, the wanted output voltage (see tamrel-cli --help)"},
    {{"--csv"}, "design needs VOUT, the wanted output voltage (see tamrel-cli --help)"},
    {{"3.3", "5"}, "design takes one VOUT, not '3.3' and '5' (see tamrel-cli --help)"},
    {{"3.3", "--verbose"}, "unknown design option '--verbose' (see tamrel-cli --help)"},
    {{"3.3", "--r1=240"}, "unknown design option '--r1=240' (see tamrel-cli --help)"},
    {{"3.3", "--count"}, "--count needs a value (see tamrel-cli --help)"},
    {{"3.3", "--csv", "--csv"}, "--csv is given twice"},
    {{"3.3", "--series", "E6", "--series", "E12"}, "--series is given twice"},
    {{"3.3x"}, "VOUT: '3.3x' is not a voltage (write it as 3.3, 3.3V or 3V3)"},
    {{"1.25"},
     "VOUT: '1.25' is not above 1.25V, the reference voltage: no pair of positive resistors "
     "gives it"},
    {{"1V2"},
     "VOUT: '1V2' is not above 1.25V, the reference voltage: no pair of positive resistors "
     "gives it"},
    {{"-3"},
     "VOUT: '-3' is not above 1.25V, the reference voltage: no pair of positive resistors "
     "gives it"},
    {{"1000000001"}, "VOUT: '1000000001' lies above 1GV"},
    {{"3.3", "--series", "E25"},
     "--series: 'E25' is not a series (E6, E12, E24, E48, E96 or E192)"},
    {{"3.3", "--series", "e24"},
     "--series: 'e24' is not a series (E6, E12, E24, E48, E96 or E192)"},
    {{"3.3", "--r1", "240", "--r1-range", "100:1k"}, "--r1 and --r1-range exclude each other"},
    {{"3.3", "--r1", "0"}, "--r1: '0' is not above zero"},
    {{"3.3", "--r1", "-240"}, "--r1: '-240' is not above zero"},
    {{"3.3", "--r1", "4m7"},
     "--r1: '4m7' is not a resistance in ohms (write it as 240, 4.7k, 4k7, 2R2 or 1M; m would "
     "be milli, mega is M)"},
    {{"3.3", "--r1", "240ohm"},
     "--r1: '240ohm' is not a resistance in ohms (write it as 240, 4.7k, 4k7, 2R2 or 1M)"},
    {{"3.3", "--r1", "2G"}, "--r1: '2G' lies outside the resistances searched, 0.01 to 1G"},
    {{"3.3", "--r2-range", "0.001:10"},
     "--r2-range: '0.001' lies outside the resistances searched, 0.01 to 1G"},
    {{"3.3", "--r1-range", "1k:100"}, "--r1-range: the minimum 1k lies above the maximum 100"},
    {{"3.3", "--r2-range", "1M:4.7k"}, "--r2-range: the minimum 1M lies above the maximum 4.7k"},
    {{"3.3", "--r2-range", "100"}, "--r2-range: '100' is not MIN:MAX"},
    {{"3.3", "--r2-range", "-10:100"}, "--r2-range: '-10' is not above zero"},
    {{"3.3", "--r2-range", "10:0"}, "--r2-range: '0' is not above zero"},
    {{"3.3", "--r1-range", "10:"},
     "--r1-range: '' is not a resistance in ohms (write it as 240, 4.7k, 4k7, 2R2 or 1M)"},
    {{"3.3", "--tolerance", "50.01"}, "--tolerance: '50.01' lies outside 0 to 50 (percent)"},
    {{"3.3", "--tolerance", "-1"}, "--tolerance: '-1' lies outside 0 to 50 (percent)"},
    {{"3.3", "--tolerance", "one"}, "--tolerance: 'one' is not a percentage"},
    {{"3.3", "--count", "0"}, "--count: '0' lies outside 1 to 1000"},
    {{"3.3", "--count", "1001"}, "--count: '1001' lies outside 1 to 1000"},
    {{"3.3", "--count", "-5"}, "--count: '-5' lies outside 1 to 1000"},
    {{"3.3", "--count", "2.5"}, "--count: '2.5' is not a whole number"},
    {{"3.3", "--count", "1k"}, "--count: '1k' is not a whole number"},
    // The first problem in the order of the interface is the one reported.
    {{"--count", "0", "1"},
     "VOUT: '1' is not above 1.25V, the reference voltage: no pair of positive resistors "
     "gives it"},
    {{"3.3", "--r1\x7f"}, "unknown design option '--r1?' (see tamrel-cli --help)"},
};

TEST(DesignArgumentsTest, BadInputGetsOneLineNamingTheOperand) {
  for (const ErrorCase& c : kErrorCases) {
    EXPECT_EQ(Read(c.arguments).error, c.message) << Joined(c.arguments);
  }
}

}  // namespace
}  // namespace tamrel::cli
