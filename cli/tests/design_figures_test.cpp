#include "cli/design_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calc/output_voltage.h"

namespace tamrel::cli {
namespace {

struct ToleranceCase {
  DecimalValue r1;
  DecimalValue r2;
  DecimalValue percent;
  // Worked out by hand: R1 up and R2 down by the percentage, and the reverse.
  double r1_high;
  double r2_low;
  double r1_low;
  double r2_high;
};

const ToleranceCase kToleranceCases[] = {
    {DecimalValue("240", 0), DecimalValue("390", 0), DecimalValue("1", 0), 242.4, 386.1, 237.6,
     393.9},
    {DecimalValue("47", 2), DecimalValue("62", 2), DecimalValue("5", 0), 4935, 5890, 4465, 6510},
    {DecimalValue("1", 2), DecimalValue("1", 2), DecimalValue("5", -1), 100.5, 99.5, 99.5, 100.5},
    {DecimalValue("102", -1), DecimalValue("1", 6), DecimalValue("25", -2), 10.2255, 997500,
     10.1745, 1002500},
    {DecimalValue("1", 0), DecimalValue("1", 0), DecimalValue("50", 0), 1.5, 0.5, 0.5, 1.5},
    {DecimalValue("1", 3), DecimalValue("33", 2), DecimalValue(), 1000, 3300, 1000, 3300},
};

TEST(DesignFiguresTest, ToleranceExtremesTakeR1AndR2OppositeWays) {
  for (const ToleranceCase& c : kToleranceCases) {
    SCOPED_TRACE(c.r1.PlainText() + " / " + c.r2.PlainText() + " at " + c.percent.PlainText() +
                 "%");
    const PairFigures figures = FiguresOf(c.r1, c.r2, 3.3, c.percent);
    EXPECT_EQ(figures.vout, ComputeOutputVoltage(c.r1.ToDouble(), c.r2.ToDouble()));
    EXPECT_EQ(figures.lowest_vout, ComputeOutputVoltage(c.r1_high, c.r2_low));
    EXPECT_EQ(figures.highest_vout, ComputeOutputVoltage(c.r1_low, c.r2_high));
    EXPECT_LE(figures.lowest_vout, figures.vout);
    EXPECT_GE(figures.highest_vout, figures.vout);
  }
}

TEST(DesignFiguresTest, ErrorAndAdjShareInPercent) {
  const PairFigures figures =
      FiguresOf(DecimalValue("240", 0), DecimalValue("390", 0), 3.3, DecimalValue("1", 0));
  // 3.30075 against 3.3; the ADJ term is 390 * 50e-6 = 0.0195 of 3.30075.
  EXPECT_NEAR(figures.error_percent, 0.00075 / 3.3 * 100, 1e-12);
  EXPECT_NEAR(figures.adj_share_percent, 0.0195 / 3.30075 * 100, 1e-12);
  const PairFigures below =
      FiguresOf(DecimalValue("82", 1), DecimalValue("13", 2), 3.3, DecimalValue("1", 0));
  EXPECT_LT(below.error_percent, 0);
  EXPECT_NEAR(below.error_percent, (below.vout - 3.3) / 3.3 * 100, 1e-12);
}

struct ReverseCase {
  double target;
  double r1;
};

const ReverseCase kReverseCases[] = {
    {3.3, 240}, {5, 240}, {1.8, 100}, {12, 1000}, {2.5, 120}, {1.2500001, 100}, {15, 47},
};

TEST(DesignFiguresTest, ExactR2GivesTheTargetBack) {
  for (const ReverseCase& c : kReverseCases) {
    SCOPED_TRACE(std::to_string(c.target) + " V with R1 = " + std::to_string(c.r1));
    const double r2 = ExactR2For(c.target, c.r1);
    // Solved by hand: (Vout - VREF) = R2 * (VREF / R1 + IADJ).
    EXPECT_NEAR(r2, (c.target - 1.25) / (1.25 / c.r1 + 0.00005), 1e-12 * r2);
    EXPECT_NEAR(ComputeOutputVoltage(c.r1, r2), c.target, 1e-14 * c.target);
  }
  EXPECT_NEAR(ExactR2For(3.3, 240), 389.85736925515, 1e-9);
  EXPECT_EQ(FiguresOf(DecimalValue("24", 1), DecimalValue("39", 1), 3.3, DecimalValue()).exact_r2,
            ExactR2For(3.3, 240));
}

}  // namespace
}  // namespace tamrel::cli
