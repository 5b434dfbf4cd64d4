// The design command's answer: an aligned table for people, or
// comma-separated values with a header line for spreadsheets and scripts.
#pragma once

#include <span>

#include "cli/decimal_value.h"
#include "cli/design_arguments.h"
#include "cli/design_figures.h"
#include "cli/output_buffer.h"

namespace tamrel::cli {

struct DesignRow {
  DecimalValue r1;
  DecimalValue r2;
  PairFigures figures;
};

// A line naming what was searched, the table with one row per pair, and the
// R2 that would give VOUT exactly with the first row's R1.
void WriteDesignTable(const DesignRequest& request, std::span<const DesignRow> rows,
                      OutputBuffer& output);

// The header line, then one line per pair; each row has the R2 for VOUT
// with its own R1.
void WriteDesignCsv(std::span<const DesignRow> rows, OutputBuffer& output);

}  // namespace tamrel::cli
