#include "cli/command_line_program.h"

#include <string_view>

#include "cli/argument_parser.h"
#include "cli/batch_mode.h"
#include "cli/case_runner.h"
#include "cli/design_command.h"
#include "cli/exit_status.h"
#include "cli/output_buffer.h"
#include "cli/usage.h"

namespace tamrel::cli {
namespace {

OperandDecoding OperandDecodingFor(bool gbk, bool from_unicode) {
  if (!gbk) return OperandDecoding::kUtf8;
  return from_unicode ? OperandDecoding::kUnicodeToGbk : OperandDecoding::kGbkAsIs;
}

// Flushes what was printed so far, then reports the problem, if any: the
// lines before a bad one stand in front of its message.
int Finish(OutputBuffer& output, std::FILE* error, int exit_status, std::string_view problem) {
  if (!output.Flush()) {
    ReportProblem(error, "cannot write standard output");
    return kExitFailure;
  }
  if (!problem.empty()) ReportProblem(error, problem);
  return exit_status;
}

}  // namespace

void ReportProblem(std::FILE* error, std::string_view problem) {
  std::fputs("tamrel-cli: ", error);
  std::fwrite(problem.data(), 1, problem.size(), error);
  std::fputc('\n', error);
  std::fflush(error);
}

int RunCommandLine(std::span<const std::string> arguments, bool arguments_are_unicode,
                   const StandardStreams& streams) {
  const ParsedArguments parsed = ParseArguments(arguments);
  if (!parsed.error.empty()) {
    ReportProblem(streams.error, parsed.error);
    return kExitBadInput;
  }
  const Invocation& invocation = parsed.invocation;
  OutputBuffer output(streams.output);
  if (invocation.show_usage) {
    output.Write(UsageText());
    return Finish(output, streams.error, kExitDone, {});
  }

  if (invocation.design) {
    std::string problem;
    const int exit_status = RunDesign(invocation.operands, output, problem);
    return Finish(output, streams.error, exit_status, problem);
  }

  if (invocation.batch) {
    // Input lines are bytes on every platform, never a Unicode command line.
    CaseRunner runner(invocation.command, OperandDecodingFor(invocation.gbk, false));
    FileByteSource input(streams.input);
    const BatchOutcome outcome = RunBatch(runner, input, output);
    return Finish(output, streams.error, outcome.exit_status, outcome.problem);
  }

  CaseRunner runner(invocation.command, OperandDecodingFor(invocation.gbk, arguments_are_unicode));
  std::string problem;
  if (!runner.Run(invocation.operands, problem)) {
    return Finish(output, streams.error, kExitBadInput, problem);
  }
  output.WriteLine(runner.line());
  return Finish(output, streams.error, kExitDone, {});
}

}  // namespace tamrel::cli
