// The commands of tamrel-cli and the operands each one takes.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tamrel::cli {

enum class Command { kVout, kParse, kFormat, kNormalise };

struct CommandInfo {
  Command command;
  std::string_view name;
  std::size_t operand_count;
  std::array<std::string_view, 2> operand_names;  // as the usage text calls them
  std::string_view operand_list;                  // the same, for messages
};

inline constexpr std::array<CommandInfo, 4> kCommands = {{
    {Command::kVout, "vout", 2, {"R1", "R2"}, "R1 R2"},
    {Command::kParse, "parse", 1, {"TEXT", ""}, "TEXT"},
    {Command::kFormat, "format", 1, {"BITS", ""}, "BITS"},
    {Command::kNormalise, "normalise", 1, {"TEXT", ""}, "TEXT"},
}};

// "design" takes options of its own and no batch; it has its own reader
// (design_arguments.h) rather than a row above.
inline constexpr std::string_view kDesignCommandName = "design";

constexpr const CommandInfo& Describe(Command command) {
  for (const CommandInfo& info : kCommands) {
    if (info.command == command) return info;
  }
  return kCommands[0];  // not reached: every command is in the table
}

constexpr const CommandInfo* FindCommand(std::string_view name) {
  for (const CommandInfo& info : kCommands) {
    if (info.name == name) return &info;
  }
  return nullptr;
}

}  // namespace tamrel::cli
