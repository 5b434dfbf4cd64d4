#include "cli/e_series.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace tamrel::cli {
namespace {

struct PublishedSeries {
  std::string_view name;
  std::size_t count;
  std::string_view first;
  std::string_view last;
};

// Counts per decade and the first and last values as IEC 60063 gives them.
const PublishedSeries kPublished[] = {
    {"E6", 6, "10", "68"},     {"E12", 12, "10", "82"},   {"E24", 24, "10", "91"},
    {"E48", 48, "100", "953"}, {"E96", 96, "100", "976"}, {"E192", 192, "100", "988"},
};

TEST(ESeriesTest, MatchPublishedCountsAndEnds) {
  ASSERT_EQ(AllESeries().size(), std::size(kPublished));
  for (const PublishedSeries& published : kPublished) {
    SCOPED_TRACE(std::string(published.name));
    const ESeries* series = FindESeries(published.name);
    ASSERT_NE(series, nullptr);
    EXPECT_EQ(series->name, published.name);
    EXPECT_EQ(series->decade.size(), published.count);
    EXPECT_EQ(series->decade.front(), published.first);
    EXPECT_EQ(series->decade.back(), published.last);
  }
}

TEST(ESeriesTest, ValuesAscendWithinOneDecade) {
  for (const ESeries& series : AllESeries()) {
    SCOPED_TRACE(std::string(series.name));
    const std::size_t width = series.decade.front().size();
    for (std::size_t i = 0; i < series.decade.size(); ++i) {
      EXPECT_EQ(series.decade[i].size(), width) << series.decade[i];
      if (i > 0) {
        EXPECT_LT(series.decade[i - 1], series.decade[i]);
      }
    }
  }
}

// Each series is every second value of the next finer one: E6 of E12, E12
// of E24; and E48 of E96, E96 of E192. E24 is not a rounding of E192 (its 27
// is no E192 value).
TEST(ESeriesTest, EachIsEverySecondValueOfTheFinerOne) {
  const std::pair<std::string_view, std::string_view> kCoarseAndFine[] = {
      {"E6", "E12"}, {"E12", "E24"}, {"E48", "E96"}, {"E96", "E192"}};
  for (const auto& [coarse_name, fine_name] : kCoarseAndFine) {
    SCOPED_TRACE(std::string(coarse_name));
    const ESeries& coarse = *FindESeries(coarse_name);
    const ESeries& fine = *FindESeries(fine_name);
    ASSERT_EQ(fine.decade.size(), 2 * coarse.decade.size());
    for (std::size_t i = 0; i < coarse.decade.size(); ++i) {
      EXPECT_EQ(coarse.decade[i], fine.decade[2 * i]);
    }
  }
  const ESeries& e192 = *FindESeries("E192");
  EXPECT_EQ(std::find(e192.decade.begin(), e192.decade.end(), "270"), e192.decade.end());
}

// The three-digit values are 10^(i/n) rounded to three digits, with the one
// exception the standard makes (920 in place of 919): a check on the typing
// of the tables, not their source.
TEST(ESeriesTest, ThreeDigitValuesFollowTheGeometricSeries) {
  for (const std::string_view name : {"E48", "E96", "E192"}) {
    const ESeries& series = *FindESeries(name);
    const double n = static_cast<double>(series.decade.size());
    for (std::size_t i = 0; i < series.decade.size(); ++i) {
      const double ideal = 100 * std::pow(10.0, static_cast<double>(i) / n);
      const double value = std::stod(std::string(series.decade[i]));
      const double allowed = series.decade[i] == "920" ? 0.6 : 0.5;
      EXPECT_LE(std::abs(value - ideal), allowed) << name << " " << series.decade[i];
    }
  }
}

TEST(ESeriesTest, UnknownNamesAreNotSeries) {
  for (const std::string_view name : {"", "E25", "E 24", "24", "E24 ", "E3"}) {
    EXPECT_EQ(FindESeries(name), nullptr) << name;
  }
}

struct RangeCase {
  std::string_view series;
  DecimalValue lowest;
  DecimalValue highest;
  std::vector<std::string> values;  // prefixed
};

const RangeCase kRangeCases[] = {
    {"E6",
     DecimalValue("1", 2),
     DecimalValue("1", 3),
     {"100", "150", "220", "330", "470", "680", "1k"}},
    {"E6", DecimalValue("101", 0), DecimalValue("149", 0), {}},
    {"E12", DecimalValue("47", 0), DecimalValue("47", 0), {"47"}},
    {"E12",
     DecimalValue("5", -1),
     DecimalValue("15", -1),
     {"0.56", "0.68", "0.82", "1", "1.2", "1.5"}},
    {"E24", DecimalValue("9", 5), DecimalValue("11", 5), {"910k", "1M", "1.1M"}},
    {"E96", DecimalValue("97", 1), DecimalValue("103", 1), {"976", "1k", "1.02k"}},
    {"E192", DecimalValue("9875", -2), DecimalValue("1015", -1), {"98.8", "100", "101"}},
};

TEST(ESeriesTest, ValuesBetweenTwoResistances) {
  for (const RangeCase& c : kRangeCases) {
    SCOPED_TRACE(std::string(c.series) + " " + c.lowest.PlainText() + " to " +
                 c.highest.PlainText());
    std::vector<std::string> values;
    for (const DecimalValue& value :
         SeriesValuesBetween(*FindESeries(c.series), c.lowest, c.highest)) {
      values.push_back(value.PrefixedText());
    }
    EXPECT_EQ(values, c.values);
  }
}

TEST(ESeriesTest, DecadeCountsOverWideRanges) {
  // 10 ohms to 1 megohm: five whole decades and the 1M that closes them.
  EXPECT_EQ(
      SeriesValuesBetween(*FindESeries("E192"), DecimalValue("1", 1), DecimalValue("1", 6)).size(),
      5 * 192 + 1);
  EXPECT_EQ(
      SeriesValuesBetween(*FindESeries("E24"), DecimalValue("1", 2), DecimalValue("1", 3)).size(),
      25);
}

}  // namespace
}  // namespace tamrel::cli
