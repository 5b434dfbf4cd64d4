#include "cli/argument_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamrel::cli {
namespace {

std::string Joined(const std::vector<std::string>& arguments) {
  std::string joined;
  for (const std::string& argument : arguments) joined += "[" + argument + "]";
  return joined;
}

struct RunCase {
  std::vector<std::string> arguments;
  bool gbk;
  Command command;
  bool batch;
  std::vector<std::string> operands;
};

const RunCase kRunCases[] = {
    {{"vout", "240", "720"}, false, Command::kVout, false, {"240", "720"}},
    {{"parse", "1e400"}, false, Command::kParse, false, {"1e400"}},
    {{"format", "7FF8000000000000"}, false, Command::kFormat, false, {"7FF8000000000000"}},
    {{"normalise", ""}, false, Command::kNormalise, false, {""}},
    // Operands may look like options: they follow the command.
    {{"vout", "-240", "--gbk"}, false, Command::kVout, false, {"-240", "--gbk"}},
    {{"parse", "--help"}, false, Command::kParse, false, {"--help"}},
    {{"--gbk", "parse", "x"}, true, Command::kParse, false, {"x"}},
    {{"--gbk", "--gbk", "parse", "x"}, true, Command::kParse, false, {"x"}},
    // A single "-" reads standard input, for every command.
    {{"vout", "-"}, false, Command::kVout, true, {}},
    {{"--gbk", "normalise", "-"}, true, Command::kNormalise, true, {}},
    {{"format", "-"}, false, Command::kFormat, true, {}},
    {{"parse", "-"}, false, Command::kParse, true, {}},
    // Two operands that are "-" are R1 and R2 themselves.
    {{"vout", "-", "-"}, false, Command::kVout, false, {"-", "-"}},
};

TEST(ArgumentParserTest, CommandLinesThatRun) {
  for (const RunCase& c : kRunCases) {
    SCOPED_TRACE(Joined(c.arguments));
    const ParsedArguments parsed = ParseArguments(c.arguments);
    ASSERT_EQ(parsed.error, "");
    const Invocation& invocation = parsed.invocation;
    EXPECT_FALSE(invocation.show_usage);
    EXPECT_EQ(invocation.gbk, c.gbk);
    EXPECT_EQ(invocation.command, c.command);
    EXPECT_EQ(invocation.batch, c.batch);
    EXPECT_EQ(std::vector<std::string>(invocation.operands.begin(), invocation.operands.end()),
              c.operands);
  }
}

TEST(ArgumentParserTest, HelpBeforeTheCommandWinsOverTheRest) {
  const std::vector<std::string> kAskForUsage[] = {
      {"--help"}, {"--gbk", "--help"}, {"--help", "bogus", "1"}, {"--help", "--bogus"}};
  for (const std::vector<std::string>& arguments : kAskForUsage) {
    const ParsedArguments parsed = ParseArguments(arguments);
    EXPECT_EQ(parsed.error, "") << Joined(arguments);
    EXPECT_TRUE(parsed.invocation.show_usage) << Joined(arguments);
  }
}

struct ErrorCase {
  std::vector<std::string> arguments;
  std::string message_part;
};

const ErrorCase kErrorCases[] = {
    {{}, "no command given"},
    {{"--gbk"}, "no command given"},
    {{"volts", "1", "2"}, "unknown command 'volts'"},
    {{"Vout", "1", "2"}, "unknown command 'Vout'"},
    {{"vo\nut\r", "1", "2"}, "unknown command 'vo?ut?'"},
    {{"--gbk\x7F", "vout"}, "unknown option '--gbk?'"},
    {{"--verbose", "vout", "1", "2"}, "unknown option '--verbose'"},
    {{"--bogus", "--help"}, "unknown option '--bogus'"},
    {{"-", "parse", "1"}, "unknown option '-'"},
    {{"vout", "240"}, "vout takes R1 R2, or - to read them from standard input"},
    {{"vout", "1", "2", "3"}, "vout takes R1 R2"},
    {{"vout"}, "vout takes R1 R2"},
    {{"vout", "--gbk", "1", "2"}, "vout takes R1 R2"},
    {{"parse"}, "parse takes TEXT"},
    {{"parse", "-", "-"}, "parse takes TEXT"},
    {{"format", "1", "2"}, "format takes BITS"},
    {{"normalise", "a", "b"}, "normalise takes TEXT"},
};

TEST(ArgumentParserTest, BadCommandLinesGetOneLinePointingToTheUsage) {
  for (const ErrorCase& c : kErrorCases) {
    SCOPED_TRACE(Joined(c.arguments));
    const std::string error = ParseArguments(c.arguments).error;
    EXPECT_NE(error.find(c.message_part), std::string::npos) << error;
    EXPECT_NE(error.find("(see tamrel-cli --help)"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace tamrel::cli
