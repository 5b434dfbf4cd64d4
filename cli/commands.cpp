#include "cli/commands.h"

#include <bit>
#include <cstdint>

#include "calc/decimal_normalisation.h"
#include "calc/number_to_text.h"
#include "calc/output_voltage.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"
#include "cli/hex_bits.h"

namespace tamrel::cli {
namespace {

// What the result box shows after a click, for these R1 and R2 texts.
void OutputVoltage(const std::string& r1, const std::string& r2, std::string& line) {
  const double vout = ComputeOutputVoltage(TextToNumber(r1.c_str()), TextToNumber(r2.c_str()));
  const OwnedText text(FormatOutputVoltage(vout));
  line.assign(text.get());
}

void ParsedBits(const std::string& text, std::string& line) {
  line.clear();
  AppendBits(std::bit_cast<std::uint64_t>(TextToNumber(text.c_str())), line);
}

CaseError FormattedBits(const std::string& digits, std::string& line) {
  const std::optional<std::uint64_t> bits = ReadBits(digits);
  if (!bits) return CaseError::kBadBits;
  char text[kNumberTextCapacity];
  const std::size_t length = FormatNumber(std::bit_cast<double>(*bits), text);
  line.assign(text, length);
  return CaseError::kNone;
}

void NormalisedText(const std::string& text, std::string& line) {
  const OwnedText normalised(NormaliseDecimalText(text.c_str()));
  if (normalised.absent()) {
    line.clear();
  } else {
    line.assign(normalised.get());
  }
}

}  // namespace

CaseError RunCommand(Command command, std::span<const std::string> operands, std::string& line) {
  switch (command) {
    case Command::kVout:
      OutputVoltage(operands[0], operands[1], line);
      return CaseError::kNone;
    case Command::kParse:
      ParsedBits(operands[0], line);
      return CaseError::kNone;
    case Command::kFormat:
      return FormattedBits(operands[0], line);
    case Command::kNormalise:
      NormalisedText(operands[0], line);
      return CaseError::kNone;
  }
  return CaseError::kNone;
}

}  // namespace tamrel::cli
