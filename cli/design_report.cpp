#include "cli/design_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "calc/number_to_text.h"

namespace tamrel::cli {
namespace {

constexpr int kErrorDecimals = 3;
constexpr int kShareDecimals = 2;

constexpr std::size_t kColumns = 7;
using TableLine = std::array<std::string, kColumns>;

std::string NumberText(double value) {
  char text[kNumberTextCapacity];
  const std::size_t length = FormatNumber(value, text);
  return std::string(text, length);
}

// As vout prints it: "3.30075V".
std::string VoltageText(double volts) { return NumberText(volts) + "V"; }

// "+0.023" for 0.0227272 with three decimals.
std::string PercentText(double percent, int decimals, bool show_plus) {
  char text[64];
  // Not the C library's printf: to_chars rounds the exact value, the same
  // way in both builds.
  const std::to_chars_result result =
      std::to_chars(text, text + sizeof text, percent, std::chars_format::fixed, decimals);
  const std::string digits(text, result.ptr);
  return show_plus && percent > 0 ? "+" + digits : digits;
}

std::string RangeText(const ResistanceRange& range) {
  return range.lowest.PrefixedText() + " to " + range.highest.PrefixedText();
}

std::string SearchedText(const DesignRequest& request) {
  const std::string r1 =
      request.fixed_r1 ? request.fixed_r1->PrefixedText() : RangeText(request.r1_range);
  return std::string(request.series->name) + " pairs nearest to " +
         VoltageText(request.vout.ToDouble()) + " (R1 " + r1 + ", R2 " +
         RangeText(request.r2_range) + "):";
}

void WriteAligned(std::span<const TableLine> lines, OutputBuffer& output) {
  std::array<std::size_t, kColumns> widths{};
  for (const TableLine& line : lines) {
    for (std::size_t column = 0; column < kColumns; ++column) {
      widths[column] = std::max(widths[column], line[column].size());
    }
  }
  for (const TableLine& line : lines) {
    std::string text;
    for (std::size_t column = 0; column < kColumns; ++column) {
      text += line[column];
      if (column + 1 < kColumns) text.append(widths[column] - line[column].size() + 2, ' ');
    }
    output.WriteLine(text);
  }
}

// The R2 for VOUT in full: the shortest digits that read back as the same
// double, so that vout with them gives VOUT again. NumberToText's 13 digits
// would not: R2's last digit moves the output's.
std::string ExactOhmsText(double ohms) {
  char text[400];
  const std::to_chars_result result =
      std::to_chars(text, text + sizeof text, ohms, std::chars_format::fixed);
  return std::string(text, result.ptr);
}

}  // namespace

void WriteDesignTable(const DesignRequest& request, std::span<const DesignRow> rows,
                      OutputBuffer& output) {
  output.WriteLine(SearchedText(request));
  const std::string tolerance = request.tolerance_percent.PlainText() + "%";
  std::vector<TableLine> lines = {{"R1", "R2", "Vout", "error", "ADJ share",
                                   "lowest at " + tolerance, "highest at " + tolerance}};
  for (const DesignRow& row : rows) {
    const PairFigures& figures = row.figures;
    lines.push_back({row.r1.PrefixedText(), row.r2.PrefixedText(), VoltageText(figures.vout),
                     PercentText(figures.error_percent, kErrorDecimals, true) + "%",
                     PercentText(figures.adj_share_percent, kShareDecimals, false) + "%",
                     VoltageText(figures.lowest_vout), VoltageText(figures.highest_vout)});
  }
  WriteAligned(lines, output);
  if (rows.empty()) return;
  output.WriteLine("R2 for exactly " + VoltageText(request.vout.ToDouble()) +
                   " with R1 = " + rows.front().r1.PrefixedText() + ": " +
                   ExactOhmsText(rows.front().figures.exact_r2));
}

void WriteDesignCsv(std::span<const DesignRow> rows, OutputBuffer& output) {
  output.WriteLine(
      "r1_ohm,r2_ohm,vout_v,error_percent,adj_share_percent,lowest_vout_v,highest_vout_v,"
      "exact_r2_ohm");
  for (const DesignRow& row : rows) {
    const PairFigures& figures = row.figures;
    output.WriteLine(row.r1.PlainText() + "," + row.r2.PlainText() + "," +
                     NumberText(figures.vout) + "," +
                     PercentText(figures.error_percent, kErrorDecimals, true) + "," +
                     PercentText(figures.adj_share_percent, kShareDecimals, false) + "," +
                     NumberText(figures.lowest_vout) + "," + NumberText(figures.highest_vout) +
                     "," + ExactOhmsText(figures.exact_r2));
  }
}

}  // namespace tamrel::cli
