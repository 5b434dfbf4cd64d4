#include "cli/case_runner.h"

#include "cli/commands.h"

namespace tamrel::cli {

bool CaseRunner::Run(std::span<const std::string_view> operands, std::string& problem) {
  const CommandInfo& info = Describe(command_);
  for (std::size_t i = 0; i < info.operand_count; ++i) {
    if (!DecodeOperand(operands[i], decoding_, encoder_, gbk_operands_[i])) {
      problem = std::string(info.operand_names[i]) +
                " is not valid UTF-8 (give --gbk before the command for GBK bytes)";
      return false;
    }
  }
  const std::span<const std::string> gbk(gbk_operands_.data(), info.operand_count);
  switch (RunCommand(command_, gbk, line_)) {
    case CaseError::kNone:
      return true;
    case CaseError::kBadBits:
      problem = "BITS must be exactly 16 hexadecimal digits";
      return false;
  }
  return true;
}

}  // namespace tamrel::cli
