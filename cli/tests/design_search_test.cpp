#include "cli/design_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include "calc/output_voltage.h"
#include "cli/e_series.h"

namespace tamrel::cli {
namespace {

std::vector<double> Ohms(std::string_view series, const DecimalValue& lowest,
                         const DecimalValue& highest) {
  std::vector<double> ohms;
  for (const DecimalValue& value : SeriesValuesBetween(*FindESeries(series), lowest, highest)) {
    ohms.push_back(value.ToDouble());
  }
  return ohms;
}

// Every pair, fully sorted: nearest first, then the smaller R1, then R2.
std::vector<NearPair> AllPairsSorted(const std::vector<double>& r1, const std::vector<double>& r2,
                                     double target) {
  std::vector<NearPair> pairs;
  for (std::size_t i = 0; i < r1.size(); ++i) {
    for (std::size_t j = 0; j < r2.size(); ++j) {
      pairs.push_back({i, j, ComputeOutputVoltage(r1[i], r2[j])});
    }
  }
  const auto key = [target](const NearPair& pair) {
    return std::make_tuple(std::fabs(static_cast<long double>(pair.vout) - target), pair.r1,
                           pair.r2);
  };
  std::sort(pairs.begin(), pairs.end(),
            [&key](const NearPair& a, const NearPair& b) { return key(a) < key(b); });
  return pairs;
}

TEST(DesignSearchTest, ThreePointThreeVoltsFromE24) {
  const std::vector<double> r1 = Ohms("E24", DecimalValue("1", 2), DecimalValue("1", 3));
  const std::vector<double> r2 = Ohms("E24", DecimalValue("1", 1), DecimalValue("1", 6));
  const std::vector<NearPair> pairs = FindNearestPairs(r1, r2, 3.3, 2);
  ASSERT_EQ(pairs.size(), 2u);
  // By hand: 1.25 * (1 + 390/240) + 390 * 50e-6 = 3.30075, 0.00075 too high;
  // 1.25 * (1 + 820/510) + 820 * 50e-6 = 3.3008039..., 0.00080 too high.
  EXPECT_EQ(r1[pairs[0].r1], 240.0);
  EXPECT_EQ(r2[pairs[0].r2], 390.0);
  EXPECT_EQ(pairs[0].vout, ComputeOutputVoltage(240, 390));
  EXPECT_NEAR(pairs[0].vout, 3.30075, 1e-12);
  EXPECT_EQ(r1[pairs[1].r1], 510.0);
  EXPECT_EQ(r2[pairs[1].r2], 820.0);
  EXPECT_EQ(pairs[1].vout, ComputeOutputVoltage(510, 820));
  EXPECT_NEAR(pairs[1].vout, 3.3008039215686, 1e-12);
}

TEST(DesignSearchTest, AgreesWithSortingEveryPair) {
  const std::vector<double> r1 = Ohms("E12", DecimalValue("1", 1), DecimalValue("1", 3));
  const std::vector<double> r2 = Ohms("E6", DecimalValue("1", 0), DecimalValue("1", 4));
  const std::size_t pair_count = r1.size() * r2.size();
  for (const double target : {1.3, 2.5, 3.3, 5.0, 9.0, 12.0, 1000.0}) {
    const std::vector<NearPair> all = AllPairsSorted(r1, r2, target);
    for (const std::size_t count : {std::size_t{1}, std::size_t{7}, pair_count, pair_count + 3}) {
      SCOPED_TRACE("target " + std::to_string(target) + ", count " + std::to_string(count));
      const std::vector<NearPair> found = FindNearestPairs(r1, r2, target, count);
      ASSERT_EQ(found.size(), std::min(count, pair_count));
      for (std::size_t k = 0; k < found.size(); ++k) {
        EXPECT_EQ(std::tie(found[k].r1, found[k].r2), std::tie(all[k].r1, all[k].r2)) << k;
        EXPECT_EQ(found[k].vout, all[k].vout) << k;
      }
    }
  }
}

TEST(DesignSearchTest, EquallyNearPairsComeBySmallerR1) {
  // With R2 = 0 every R1 gives VREF exactly.
  const std::vector<double> r1 = {1, 2, 4, 8};
  const std::vector<double> r2 = {0};
  const std::vector<NearPair> found = FindNearestPairs(r1, r2, 1.3, 3);
  ASSERT_EQ(found.size(), 3u);
  for (std::size_t k = 0; k < found.size(); ++k) {
    EXPECT_EQ(found[k].r1, k);
    EXPECT_EQ(found[k].vout, 1.25);
  }
}

TEST(DesignSearchTest, NothingToSearchGivesNothing) {
  EXPECT_TRUE(FindNearestPairs({}, std::vector<double>{1.0}, 3.3, 5).empty());
  EXPECT_TRUE(FindNearestPairs(std::vector<double>{1.0}, std::vector<double>{1.0}, 3.3, 0).empty());
}

}  // namespace
}  // namespace tamrel::cli
