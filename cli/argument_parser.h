// What the command line asks for. Options come before the command; every
// argument after the command is an operand, so "vout -240 720" reads -240.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_table.h"

namespace tamrel::cli {

inline constexpr std::string_view kGbkOption = "--gbk";
inline constexpr std::string_view kHelpOption = "--help";
inline constexpr std::string_view kStandardInputOperand = "-";

struct Invocation {
  bool show_usage = false;
  bool gbk = false;  // operands and input lines are GBK bytes
  Command command = Command::kVout;
  bool design = false;                     // "design"; then `command` is unused
  bool batch = false;                      // a single "-" in place of the operands
  std::vector<std::string_view> operands;  // into the arguments; empty in batch mode;
                                           // for design every argument after it
};

struct ParsedArguments {
  std::string error;  // one line without the program's name; empty when all is well
  Invocation invocation;
};

// `arguments` without the program's name. The views in the result point into them.
ParsedArguments ParseArguments(std::span<const std::string> arguments);

}  // namespace tamrel::cli
