// FoldFullWidth on arbitrary bytes: never longer than its input, unit for
// unit the input with only table pairs turned into one ASCII byte (so no
// pair is ever split or shifted), the folding table's exact result, and a
// new block of the text store that is the caller's alone.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "calc/text_store.h"
#include "calc/text_to_number.h"
#include "fuzz/counting_heap.h"
#include "fuzz/full_width_model.h"
#include "fuzz/mismatch.h"

namespace {

using namespace tamrel::fuzz;

// Empty when every unit of `folded` stands for the unit of `input` at the
// same place: the same bytes, or one ASCII byte for a pair. A lone lead byte
// at the end of the input has no counterpart.
std::string UnitProblem(std::string_view input, std::string_view folded) {
  std::vector<std::string_view> in = GbkUnits(input);
  if (!in.empty() && in.back().size() == 1 && static_cast<unsigned char>(in.back()[0]) >= 0x80) {
    in.pop_back();
  }
  const std::vector<std::string_view> out = GbkUnits(folded);
  if (in.size() != out.size()) return "a different number of characters";
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (out[i] == in[i]) continue;
    const bool folded_pair =
        in[i].size() == 2 && out[i].size() == 1 && static_cast<unsigned char>(out[i][0]) < 0x80;
    if (!folded_pair) return "character " + std::to_string(i) + " split or changed";
  }
  return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  UseCountingHeap();
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string_view text = input.c_str();
  const std::size_t blocks_before = LiveBlocks();
  const tamrel::OwnedText folded(tamrel::FoldFullWidth(input.c_str()));
  if (folded.absent() || LiveBlocks() != blocks_before + 1) {
    ReportMismatch("FoldFullWidth(" + Escaped(text) + ") gave no new block");
  }
  const std::string_view result = folded.get();
  if (result.size() > text.size()) {
    ReportMismatch("FoldFullWidth(" + Escaped(text) + ") = " + Escaped(result) +
                   " is longer than its input");
  }
  if (const std::string problem = UnitProblem(text, result); !problem.empty()) {
    ReportMismatch("FoldFullWidth(" + Escaped(text) + ") = " + Escaped(result) + ": " + problem);
  }
  if (const std::string expected = FoldedModel(text); result != expected) {
    ReportMismatch("FoldFullWidth(" + Escaped(text) + ") = " + Escaped(result) + ", expected " +
                   Escaped(expected));
  }
  return 0;
}
