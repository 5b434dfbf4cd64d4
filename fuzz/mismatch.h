// How a target reports a wrong answer: the input and both answers on
// standard error, then an abort, which libFuzzer records as a crash and
// keeps the input for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tamrel::fuzz {

[[noreturn]] void ReportMismatch(const std::string& what);

// Bytes with everything outside printable ASCII as \xNN.
std::string Escaped(std::string_view bytes);
// A double as its 16 hex digits of bits.
std::string BitsText(double value);

}  // namespace tamrel::fuzz
