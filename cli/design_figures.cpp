#include "cli/design_figures.h"

#include "calc/constant_block.h"
#include "calc/extended_precision.h"
#include "calc/output_voltage.h"

namespace tamrel::cli {
namespace {

// One step's result, rounded to a double by storing it (as the output
// voltage's own steps are), so that the value does not depend on whether the
// compiler kept it in a wider register.
double Stored(long double value) {
  const volatile double stored = static_cast<double>(value);
  return stored;
}

// `value` times (100 + percent) / 100, or (100 - percent) / 100, exactly.
DecimalValue Deviated(const DecimalValue& value, const DecimalValue& percent, bool upwards) {
  const DecimalValue hundred("1", 2);
  const DecimalValue factor = upwards ? hundred + percent : hundred - percent;
  return (value * factor).ScaledByPowerOfTen(-2);
}

double VoutOf(const DecimalValue& r1, const DecimalValue& r2) {
  return ComputeOutputVoltage(r1.ToDouble(), r2.ToDouble());
}

}  // namespace

PairFigures FiguresOf(const DecimalValue& r1, const DecimalValue& r2, double target,
                      const DecimalValue& tolerance_percent) {
  const detail::ExtendedPrecisionScope extended_precision;
  PairFigures figures{};
  figures.vout = VoutOf(r1, r2);
  const long double vout = figures.vout;
  figures.error_percent = Stored((vout - target) / target * 100);
  const double adj_term =
      Stored(static_cast<long double>(r2.ToDouble()) * kConstantBlock.adjust_pin_current);
  figures.adj_share_percent = Stored(adj_term / vout * 100);
  figures.lowest_vout =
      VoutOf(Deviated(r1, tolerance_percent, true), Deviated(r2, tolerance_percent, false));
  figures.highest_vout =
      VoutOf(Deviated(r1, tolerance_percent, false), Deviated(r2, tolerance_percent, true));
  figures.exact_r2 = ExactR2For(target, r1.ToDouble());
  return figures;
}

double ExactR2For(double target, double r1) {
  const detail::ExtendedPrecisionScope extended_precision;
  // VREF lies across R1; R2 carries R1's current and the ADJ current.
  const long double reference = kConstantBlock.reference_voltage;
  const double r2_voltage = Stored(target - reference);
  const double r1_current = Stored(reference / r1);
  const double r2_current =
      Stored(r1_current + static_cast<long double>(kConstantBlock.adjust_pin_current));
  return Stored(r2_voltage / static_cast<long double>(r2_current));
}

}  // namespace tamrel::cli
