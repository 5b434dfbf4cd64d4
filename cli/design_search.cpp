#include "cli/design_search.h"

#include <algorithm>
#include <cmath>

#include "calc/extended_precision.h"
#include "calc/output_voltage.h"

namespace tamrel::cli {
namespace {

struct Ranked {
  // |vout - target| in extended precision: exact while the two lie within a
  // factor of about 2000 of each other, which every pair worth showing does.
  long double distance;
  NearPair pair;
};

// Nearer first, then by R1, then by R2.
bool Before(const Ranked& a, const Ranked& b) {
  if (a.distance != b.distance) return a.distance < b.distance;
  if (a.pair.r1 != b.pair.r1) return a.pair.r1 < b.pair.r1;
  return a.pair.r2 < b.pair.r2;
}

}  // namespace

std::vector<NearPair> FindNearestPairs(std::span<const double> r1, std::span<const double> r2,
                                       double target, std::size_t count) {
  if (count == 0) return {};
  // The same rounding on every platform, whatever state the unit was left in.
  const detail::ExtendedPrecisionScope extended_precision;
  // The best so far as a heap whose top is the worst of them.
  std::vector<Ranked> best;
  best.reserve(count + 1);
  for (std::size_t i = 0; i < r1.size(); ++i) {
    for (std::size_t j = 0; j < r2.size(); ++j) {
      const double vout = ComputeOutputVoltage(r1[i], r2[j]);
      const Ranked candidate{std::fabs(static_cast<long double>(vout) - target), {i, j, vout}};
      if (best.size() < count) {
        best.push_back(candidate);
        std::push_heap(best.begin(), best.end(), Before);
      } else if (Before(candidate, best.front())) {
        std::pop_heap(best.begin(), best.end(), Before);
        best.back() = candidate;
        std::push_heap(best.begin(), best.end(), Before);
      }
    }
  }
  std::sort_heap(best.begin(), best.end(), Before);
  std::vector<NearPair> pairs;
  pairs.reserve(best.size());
  for (const Ranked& ranked : best) pairs.push_back(ranked.pair);
  return pairs;
}

}  // namespace tamrel::cli
