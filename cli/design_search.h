// The search for the pairs of resistors whose output voltage comes nearest
// to the one wanted: every pair is computed, exactly as the window computes
// it.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tamrel::cli {

struct NearPair {
  std::size_t r1;  // indices into the candidate lists
  std::size_t r2;
  double vout;  // ComputeOutputVoltage(R1, R2)
};

// The `count` pairs (r1[i], r2[j]) whose output voltage lies nearest to
// `target`, nearest first; of pairs equally near, the smaller R1 first, then
// the smaller R2. `r1` and `r2` are ascending. Fewer when there are fewer
// pairs.
std::vector<NearPair> FindNearestPairs(std::span<const double> r1, std::span<const double> r2,
                                       double target, std::size_t count);

}  // namespace tamrel::cli
