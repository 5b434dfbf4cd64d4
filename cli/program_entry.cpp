#include "cli/program_entry.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "calc/constant_block.h"
#include "calc/text_store.h"
#include "cli/command_line_program.h"
#include "cli/exit_status.h"
#include "cli/process_environment.h"

namespace tamrel::cli {

void ExitForAllocationFailure(std::size_t size) {
  // No allocation here: there is nothing left to allocate from.
  constexpr std::string_view kOutOfMemory = "out of memory";
  char problem[80];
  std::size_t length = kOutOfMemory.copy(problem, kOutOfMemory.size());
  if (size > 0) {
    constexpr std::string_view kBlock = " (no block of ";
    constexpr std::string_view kBytes = " bytes)";
    length += kBlock.copy(problem + length, kBlock.size());
    length = static_cast<std::size_t>(
        std::to_chars(problem + length, problem + sizeof problem, size).ptr - problem);
    length += kBytes.copy(problem + length, kBytes.size());
  }
  ReportProblem(stderr, std::string_view(problem, length));
  std::exit(kExitFailure);
}

int CommandLineMain(int argc, char** argv) {
  RegisterProgramConstants();
  SetAllocationFailureHandler(&ExitForAllocationFailure);
  PrepareStandardStreams();
  try {
    const std::vector<std::string> arguments = ReadArguments(argc, argv);
    return RunCommandLine(arguments, ArgumentsArriveAsUnicode(), {stdin, stdout, stderr});
  } catch (const std::bad_alloc&) {
    // Our own buffers come from operator new; the store's blocks end above.
    ExitForAllocationFailure(0);
  }
}

}  // namespace tamrel::cli
