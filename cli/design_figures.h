// What the design command tells about one pair of resistors besides its
// output voltage: how far it is from the voltage wanted, how much of it the
// ADJ current makes, where resistor tolerance can take it, and the R2 that
// would hit the wanted voltage exactly.
#pragma once

#include "cli/decimal_value.h"

namespace tamrel::cli {

struct PairFigures {
  double vout;               // ComputeOutputVoltage(R1, R2)
  double error_percent;      // (vout - target) / target, in percent
  double adj_share_percent;  // the term IADJ * R2 as a share of vout, in percent
  // Each resistor off by the tolerance either way: R1 high with R2 low gives
  // the lowest output, R1 low with R2 high the highest.
  double lowest_vout;
  double highest_vout;
  double exact_r2;  // ExactR2For(target, R1)
};

PairFigures FiguresOf(const DecimalValue& r1, const DecimalValue& r2, double target,
                      const DecimalValue& tolerance_percent);

// The reverse of the formula, R2 = (target - VREF) / (VREF / R1 + IADJ),
// each step rounded as the output voltage's steps are.
double ExactR2For(double target, double r1);

}  // namespace tamrel::cli
