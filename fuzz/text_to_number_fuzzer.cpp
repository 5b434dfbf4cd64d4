// TextToNumber on arbitrary bytes: never a NaN, the exact reference's double
// for the number in the text once full-width forms are folded, and no block
// of the text store left behind.
#include <cstddef>
#include <cstdint>
#include <string>

#include "calc/text_to_number.h"
#include "fuzz/counting_heap.h"
#include "fuzz/decimal_scan_model.h"
#include "fuzz/full_width_model.h"
#include "fuzz/mismatch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tamrel::fuzz;
  UseCountingHeap();
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t blocks_before = LiveBlocks();
  const double actual = tamrel::TextToNumber(text.c_str());
  if (LiveBlocks() != blocks_before) {
    ReportMismatch("TextToNumber(" + Escaped(text.c_str()) + ") left a block behind");
  }
  const std::string folded = FoldedModel(text.c_str());
  const ExpectedValue expected = ExpectedDouble(ScanDecimal(folded.c_str()));
  if (!Matches(actual, expected)) {
    ReportMismatch("TextToNumber(" + Escaped(text.c_str()) + ") = " + BitsText(actual) +
                   ", expected " + BitsText(expected.value) +
                   (expected.tolerant ? " (or one unit away)" : "") + " for the folded text " +
                   Escaped(folded));
  }
  return 0;
}
