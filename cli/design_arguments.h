// What "tamrel-cli design" is asked: the operands after the command name,
// read and checked. Every problem is one line that names the operand.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli/decimal_value.h"
#include "cli/e_series.h"

namespace tamrel::cli {

struct ResistanceRange {
  DecimalValue lowest;
  DecimalValue highest;
};

struct DesignRequest {
  DecimalValue vout;  // volts, above 1.25
  const ESeries* series = nullptr;
  std::optional<DecimalValue> fixed_r1;  // --r1; then r1_range is unused
  ResistanceRange r1_range;
  ResistanceRange r2_range;
  DecimalValue tolerance_percent;  // 0 to 50
  std::size_t count = 0;           // 1 to 1000
  bool csv = false;
};

struct ParsedDesign {
  std::string error;  // one line; empty when all is well
  DesignRequest request;
};

// `arguments`: everything after "design", options and VOUT in any order.
ParsedDesign ReadDesignArguments(std::span<const std::string_view> arguments);

}  // namespace tamrel::cli
