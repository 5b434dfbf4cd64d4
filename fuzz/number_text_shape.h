// The shapes that a number's text can have: "%.13g" with a three-digit
// exponent, the words of the special values, and "0".
#pragma once

#include <string_view>

namespace tamrel::fuzz {

// An empty string when `text` has one of the shapes, else what is wrong.
const char* NumberTextShapeProblem(std::string_view text);

}  // namespace tamrel::fuzz
