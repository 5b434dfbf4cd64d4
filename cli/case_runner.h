// One case from its operands as given (command line or input line) to its
// output line: the operands decoded to GBK, then the command. Keeps its
// buffers between cases, so a batch allocates nothing per line once warm.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "cli/command_table.h"
#include "cli/gbk_conversion.h"

namespace tamrel::cli {

class CaseRunner {
 public:
  CaseRunner(Command command, OperandDecoding decoding) : command_(command), decoding_(decoding) {}

  // `operands` are as many as the command takes. Returns false with a
  // one-line `problem` on bad input; otherwise `line()` holds the output.
  bool Run(std::span<const std::string_view> operands, std::string& problem);

  Command command() const { return command_; }
  const std::string& line() const { return line_; }

 private:
  Command command_;
  OperandDecoding decoding_;
  GbkEncoder encoder_;
  std::array<std::string, 2> gbk_operands_;
  std::string line_;
};

}  // namespace tamrel::cli
