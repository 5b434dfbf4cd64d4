#include "cli/argument_parser.h"

#include "cli/quoted_argument.h"

namespace tamrel::cli {
namespace {

ParsedArguments Failed(std::string message) {
  ParsedArguments parsed;
  parsed.error = std::move(message);
  return parsed;
}

constexpr std::string_view kSeeHelp = " (see tamrel-cli --help)";

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string> arguments) {
  ParsedArguments parsed;
  Invocation& invocation = parsed.invocation;

  std::size_t next = 0;
  for (; next < arguments.size() && arguments[next].starts_with('-'); ++next) {
    const std::string& option = arguments[next];
    if (option == kHelpOption) {
      invocation.show_usage = true;
      return parsed;
    }
    if (option != kGbkOption)
      return Failed("unknown option " + Quoted(option) + std::string(kSeeHelp));
    invocation.gbk = true;
  }
  if (next == arguments.size()) return Failed("no command given" + std::string(kSeeHelp));

  const std::string& name = arguments[next++];
  if (name == kDesignCommandName) {
    invocation.design = true;
    invocation.operands.assign(arguments.begin() + static_cast<std::ptrdiff_t>(next),
                               arguments.end());
    return parsed;
  }
  const CommandInfo* info = FindCommand(name);
  if (info == nullptr) return Failed("unknown command " + Quoted(name) + std::string(kSeeHelp));
  invocation.command = info->command;

  const std::span<const std::string> operands = arguments.subspan(next);
  if (operands.size() == 1 && operands[0] == kStandardInputOperand) {
    invocation.batch = true;
    return parsed;
  }
  if (operands.size() != info->operand_count) {
    return Failed(std::string(info->name) + " takes " + std::string(info->operand_list) +
                  ", or - to read them from standard input" + std::string(kSeeHelp));
  }
  invocation.operands.assign(operands.begin(), operands.end());
  return parsed;
}

}  // namespace tamrel::cli
