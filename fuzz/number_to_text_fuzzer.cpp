// NumberToText on arbitrary doubles (the first eight input bytes are the
// bits): the exact reference's text, one of the shapes, at most 20 ASCII
// bytes, FormatNumber's text and length, and a block of its own.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/number_to_text.h"
#include "calc/tests/exact_reference.h"
#include "calc/text_store.h"
#include "fuzz/counting_heap.h"
#include "fuzz/mismatch.h"
#include "fuzz/number_text_shape.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tamrel::fuzz;
  UseCountingHeap();
  std::uint64_t bits = 0;
  std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
  const double value = std::bit_cast<double>(bits);

  const std::size_t blocks_before = LiveBlocks();
  std::string text;
  {
    const tamrel::OwnedText made(tamrel::NumberToText(value));
    if (made.absent() || LiveBlocks() != blocks_before + 1) {
      ReportMismatch("NumberToText(" + BitsText(value) + ") gave no new block");
    }
    text = made.get();
  }
  if (LiveBlocks() != blocks_before) {
    ReportMismatch("NumberToText(" + BitsText(value) + ") made more than one block");
  }

  if (const char* problem = NumberTextShapeProblem(text); *problem != '\0') {
    ReportMismatch("NumberToText(" + BitsText(value) + ") = " + Escaped(text) + ": " + problem);
  }
  char buffer[tamrel::kNumberTextCapacity];
  const std::size_t length = tamrel::FormatNumber(value, buffer);
  if (std::string_view(buffer) != text || length != text.size()) {
    ReportMismatch("FormatNumber(" + BitsText(value) + ") = " + Escaped(buffer) +
                   ", NumberToText gave " + Escaped(text));
  }
  if (const std::string expected = tamrel::reference::NumberText(value); text != expected) {
    ReportMismatch("NumberToText(" + BitsText(value) + ") = " + Escaped(text) + ", expected " +
                   Escaped(expected));
  }
  return 0;
}
