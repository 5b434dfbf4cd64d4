// The preferred-number series of resistor values, E6 to E192, and the values
// of a series that lie in a range of resistances.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "cli/decimal_value.h"

namespace tamrel::cli {

struct ESeries {
  std::string_view name;  // "E24"
  // The significant digits of the values of one decade, ascending: two for
  // E6 to E24 ("10" for 1.0), three for E48 to E192 ("100" for 1.00).
  std::span<const std::string_view> decade;
};

// E6, E12, E24, E48, E96 and E192, in that order.
std::span<const ESeries> AllESeries();

// The series of that name (as written, "E24"), or nullptr.
const ESeries* FindESeries(std::string_view name);

// Every value of the series from `lowest` to `highest`, both included,
// ascending. `lowest` must be above zero.
std::vector<DecimalValue> SeriesValuesBetween(const ESeries& series, const DecimalValue& lowest,
                                              const DecimalValue& highest);

}  // namespace tamrel::cli
