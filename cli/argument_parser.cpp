#include "cli/argument_parser.h"

namespace tamrel::cli {
namespace {

ParsedArguments Failed(std::string message) {
  ParsedArguments parsed;
  parsed.error = std::move(message);
  return parsed;
}

constexpr std::string_view kSeeHelp = " (see tamrel-cli --help)";

// An argument echoed in a message, with control characters as "?" so that
// the message stays one line.
std::string Quoted(std::string_view argument) {
  std::string quoted = "'";
  for (const char c : argument) {
    const auto byte = static_cast<unsigned char>(c);
    quoted.push_back(byte < 0x20 || byte == 0x7F ? '?' : c);
  }
  quoted.push_back('\'');
  return quoted;
}

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
