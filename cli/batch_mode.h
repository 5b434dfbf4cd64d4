// Running a command over the cases of an input stream, one case per line.
#pragma once

#include <string>

#include "cli/byte_source.h"
#include "cli/case_runner.h"
#include "cli/output_buffer.h"

namespace tamrel::cli {

struct BatchOutcome {
  int exit_status;
  std::string problem;  // one line naming the input line; empty when all went well
};

// Writes one output line per input line to `output`, stopping at the first
// bad line. For vout a line holds R1, one TAB and R2.
BatchOutcome RunBatch(CaseRunner& runner, ByteSource& input, OutputBuffer& output);

}  // namespace tamrel::cli
