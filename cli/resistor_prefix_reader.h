// Numbers as schematics and parts lists write them: "4.7k", "4k7", "1M",
// "2R2", "100" for resistances in ohms, "3.3", "3V3", "5V" for voltages. The
// letter stands where the decimal point would (or at the end) and scales the
// value: R 1, k or K 10^3, M 10^6, G 10^9; for a voltage only V, 1. "m" is
// milli on a schematic, never mega, and is not accepted in a resistance.
#pragma once

#include <optional>
#include <string_view>

#include "cli/decimal_value.h"

namespace tamrel::cli {

enum class Quantity { kResistance, kVoltage };

struct SchematicNumber {
  bool negative = false;  // a leading "-", kept so that the caller can say so
  DecimalValue magnitude;
};

// The whole of `text`, or nothing when it is not such a number: no white
// space, no exponent, no "+", at least one digit, at most one decimal point
// or letter (a letter after digits with a point must end the text).
std::optional<SchematicNumber> ReadSchematicNumber(std::string_view text, Quantity quantity);

// A plain decimal number, the whole of `text`: an optional "-", digits with
// at most one point, at least one digit.
std::optional<SchematicNumber> ReadPlainNumber(std::string_view text);

}  // namespace tamrel::cli
