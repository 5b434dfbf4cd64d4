// tamrel-cli from its arguments to its exit status, over given streams.
#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace tamrel::cli {

struct StandardStreams {
  std::FILE* input;
  std::FILE* output;
  std::FILE* error;
};

// `arguments` without the program's name. `arguments_are_unicode`: they came
// from a Unicode command line (Windows) in UTF-8 form, see OperandDecoding.
int RunCommandLine(std::span<const std::string> arguments, bool arguments_are_unicode,
                   const StandardStreams& streams);

// The one line for a problem: "tamrel-cli: " and the problem.
void ReportProblem(std::FILE* error, std::string_view problem);

}  // namespace tamrel::cli
