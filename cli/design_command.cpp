#include "cli/design_command.h"

#include <vector>

#include "cli/design_arguments.h"
#include "cli/design_figures.h"
#include "cli/design_report.h"
#include "cli/design_search.h"
#include "cli/e_series.h"
#include "cli/exit_status.h"

namespace tamrel::cli {
namespace {

// The candidates for one resistor: the series' values in its range.
std::vector<DecimalValue> SeriesCandidates(const DesignRequest& request,
                                           std::string_view range_operand,
                                           const ResistanceRange& range, std::string& problem) {
  std::vector<DecimalValue> values =
      SeriesValuesBetween(*request.series, range.lowest, range.highest);
  if (values.empty()) {
    problem = std::string(range_operand) + ": no " + std::string(request.series->name) +
              " value lies from " + range.lowest.PrefixedText() + " to " +
              range.highest.PrefixedText();
  }
  return values;
}

std::vector<double> Ohms(const std::vector<DecimalValue>& values) {
  std::vector<double> ohms;
  ohms.reserve(values.size());
  for (const DecimalValue& value : values) ohms.push_back(value.ToDouble());
  return ohms;
}

}  // namespace

int RunDesign(std::span<const std::string_view> arguments, OutputBuffer& output,
              std::string& problem) {
  const ParsedDesign parsed = ReadDesignArguments(arguments);
  if (!parsed.error.empty()) {
    problem = parsed.error;
    return kExitBadInput;
  }
  const DesignRequest& request = parsed.request;
  const std::vector<DecimalValue> r1_values =
      request.fixed_r1 ? std::vector<DecimalValue>{*request.fixed_r1}
                       : SeriesCandidates(request, "--r1-range", request.r1_range, problem);
  if (!problem.empty()) return kExitBadInput;
  const std::vector<DecimalValue> r2_values =
      SeriesCandidates(request, "--r2-range", request.r2_range, problem);
  if (!problem.empty()) return kExitBadInput;

  const double target = request.vout.ToDouble();
  const std::vector<NearPair> pairs =
      FindNearestPairs(Ohms(r1_values), Ohms(r2_values), target, request.count);
  std::vector<DesignRow> rows;
  rows.reserve(pairs.size());
  for (const NearPair& pair : pairs) {
    const DecimalValue& r1 = r1_values[pair.r1];
    const DecimalValue& r2 = r2_values[pair.r2];
    rows.push_back({r1, r2, FiguresOf(r1, r2, target, request.tolerance_percent)});
  }
  if (request.csv) {
    WriteDesignCsv(rows, output);
  } else {
    WriteDesignTable(request, rows, output);
  }
  return kExitDone;
}

}  // namespace tamrel::cli
