// The edit box's normalisation on arbitrary bytes: the text of the number at
// the front (nothing for a zero), never a NaN's text, and a fixed point: a
// normalised text normalises to itself, except an infinity's, which reads
// back as the 1 in front of its "#", and the texts of the smallest
// subnormals, which read back within rounding of their double.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/decimal_normalisation.h"
#include "calc/number_to_text.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"
#include "fuzz/counting_heap.h"
#include "fuzz/mismatch.h"
#include "fuzz/number_text_shape.h"

namespace {

using namespace tamrel::fuzz;

// Below this the doubles lie about as far apart as a unit of the 13th digit,
// so a 13-digit text need not read back as the double it was made from:
// "1e-311" reads as 9.9999999999994754e-312 and shows as
// "9.999999999999e-312". From here on, with parsing at most one unit in the
// last place off in the subnormal range, it always does.
constexpr double kFixedPointFloor = 1e-309;

// How far the double that a text of a subnormal reads as may lie from the
// double the text was made from: half a unit of the text's 13th digit (a
// little more for the rounding to 17 digits before it), and one and a half
// of the smallest subnormal for the rounding of the reading.
double SubnormalReadBackTolerance(const std::string& text) {
  const std::size_t e = text.find('e');
  const int exponent = e == std::string::npos ? 0 : std::atoi(text.c_str() + e + 1);
  constexpr double kSmallestSubnormal = 4.9406564584124654e-324;
  return 0.5 * std::pow(10.0, exponent - 12) * 1.001 + 1.5 * kSmallestSubnormal;
}

// The normalised text, "" for the absent (empty) text.
std::string Normalised(const char* text) {
  const tamrel::OwnedText normalised(tamrel::NormaliseDecimalText(text));
  return normalised.absent() ? std::string() : std::string(normalised.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  UseCountingHeap();
  const std::string input(reinterpret_cast<const char*>(data), size);
  const char* const text = input.c_str();
  const std::size_t blocks_before = LiveBlocks();
  const std::string once = Normalised(text);
  if (LiveBlocks() != blocks_before) {
    ReportMismatch("normalising " + Escaped(text) + " left a block behind");
  }

  const double value = tamrel::ParseDecimal(text);
  char spelled[tamrel::kNumberTextCapacity];
  tamrel::FormatNumber(value, spelled);
  const std::string expected = value == 0.0 ? std::string() : std::string(spelled);
  if (once != expected) {
    ReportMismatch("normalising " + Escaped(text) + " gave " + Escaped(once) + ", expected " +
                   Escaped(expected));
  }
  if (once.empty()) return 0;
  if (const char* problem = NumberTextShapeProblem(once); *problem != '\0') {
    ReportMismatch("normalising " + Escaped(text) + " gave " + Escaped(once) + ": " + problem);
  }
  if (once.find("#IND") != std::string::npos || once.find("#QNAN") != std::string::npos) {
    ReportMismatch("normalising " + Escaped(text) + " gave a NaN's text " + Escaped(once));
  }

  const std::string twice = Normalised(once.c_str());
  if (std::isinf(value)) {
    const std::string wanted = value < 0 ? "-1" : "1";
    if (twice != wanted) {
      ReportMismatch("normalising " + Escaped(once) + " gave " + Escaped(twice) + ", expected " +
                     Escaped(wanted));
    }
  } else if (std::fabs(value) >= kFixedPointFloor) {
    if (twice != once) {
      ReportMismatch("normalising " + Escaped(once) + " (from " + Escaped(text) + ") gave " +
                     Escaped(twice) + ", not itself");
    }
  } else if (const double drift = std::fabs(tamrel::ParseDecimal(once.c_str()) - value);
             drift > SubnormalReadBackTolerance(once)) {
    ReportMismatch("normalising " + Escaped(text) + " gave " + Escaped(once) + ", which reads " +
                   BitsText(tamrel::ParseDecimal(once.c_str())) + ", too far from " +
                   BitsText(value));
  }
  return 0;
}
