// Spelling a double the way the result box shows it: the "%.13g" shape with a
// three-digit exponent ("1e+013"), "1.#INF", "-1.#IND" and friends for the
// special values, and "0" for both zeros. The 13 digits come from rounding
// the exact value to 17 digits first and that to 13.
#pragma once

#include <cstddef>

namespace tamrel {

// The longest text, "-1.234567890123e-308", has 20 bytes.
inline constexpr std::size_t kNumberTextCapacity = 21;

// Writes the text and its terminating zero into `buffer`; returns its length.
std::size_t FormatNumber(double value, char (&buffer)[kNumberTextCapacity]);

// The same text as a new text of the store.
char* NumberToText(double value);

}  // namespace tamrel
