// "tamrel-cli design VOUT [options]": standard resistors for a wanted output
// voltage, from the request on the command line to the report.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "cli/output_buffer.h"

namespace tamrel::cli {

// `arguments`: everything after "design". Returns the exit status; on bad
// input `problem` is one line and nothing has been written.
int RunDesign(std::span<const std::string_view> arguments, OutputBuffer& output,
              std::string& problem);

}  // namespace tamrel::cli
