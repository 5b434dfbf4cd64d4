// ParseDecimal on arbitrary bytes: never a NaN, and the double that the exact
// reference gives for the number that a plain second scan finds in the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/text_to_number.h"
#include "fuzz/decimal_scan_model.h"
#include "fuzz/mismatch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tamrel::fuzz;
  // The text ends at its first zero byte, as it would in an edit box.
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double actual = tamrel::ParseDecimal(text.c_str());
  const ExpectedValue expected = ExpectedDouble(ScanDecimal(text.c_str()));
  if (!Matches(actual, expected)) {
    ReportMismatch("ParseDecimal(" + Escaped(text.c_str()) + ") = " + BitsText(actual) +
                   ", expected " + BitsText(expected.value) +
                   (expected.tolerant ? " (or one unit away)" : ""));
  }
  return 0;
}
