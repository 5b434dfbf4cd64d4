// The four commands on one case, over the calculator core.
#pragma once

#include <span>
#include <string>

#include "cli/command_table.h"

namespace tamrel::cli {

enum class CaseError { kNone, kBadBits };

// `operands` are the command's GBK texts, as many as it takes, without NUL
// bytes inside. On success `line` holds the output line without its LF.
CaseError RunCommand(Command command, std::span<const std::string> operands, std::string& line);

}  // namespace tamrel::cli
