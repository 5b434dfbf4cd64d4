#include "cli/batch_mode.h"

#include <array>

#include "cli/exit_status.h"
#include "cli/line_reader.h"

namespace tamrel::cli {
namespace {

constexpr char kSeparator = '\t';

BatchOutcome BadLine(std::size_t number, std::string_view problem) {
  return {kExitBadInput, "line " + std::to_string(number) + ": " + std::string(problem)};
}

}  // namespace

BatchOutcome RunBatch(CaseRunner& runner, ByteSource& input, OutputBuffer& output) {
  const CommandInfo& info = Describe(runner.command());
  LineReader reader(input);
  std::array<std::string_view, 2> operands;
  std::string problem;
  std::string_view line;
  while (reader.Next(line)) {
    // A text ends at its first zero byte, so the calculator would see less
    // than the line holds.
    if (line.find('\0') != std::string_view::npos) {
      return BadLine(reader.line_number(), "NUL byte in the line");
    }
    if (info.operand_count == 2) {
      const std::size_t tab = line.find(kSeparator);
      if (tab == std::string_view::npos ||
          line.find(kSeparator, tab + 1) != std::string_view::npos) {
        return BadLine(reader.line_number(), "expected R1 and R2 separated by exactly one TAB");
      }
      operands = {line.substr(0, tab), line.substr(tab + 1)};
    } else {
      operands[0] = line;
    }
    if (!runner.Run(std::span(operands.data(), info.operand_count), problem)) {
      return BadLine(reader.line_number(), problem);
    }
    output.WriteLine(runner.line());
  }
  if (input.failed()) return {kExitFailure, "cannot read standard input"};
  return {kExitDone, {}};
}

}  // namespace tamrel::cli
