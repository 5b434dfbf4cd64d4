#include "cli/usage.h"

namespace tamrel::cli {

std::string_view UsageText() {
  return "Usage: tamrel-cli [--gbk] COMMAND OPERANDS...\n"
         "The output voltage of the AMS1117 adjustable regulator, computed and spelled\n"
         "exactly as the Tamrel window does it.\n"
         "\n"
         "tamrel-cli vout R1 R2       the result text that the window shows for these inputs, "
         "e.g. 5.036V\n"
         "tamrel-cli parse TEXT       the double that TextToNumber reads from TEXT, as 16 "
         "upper-case hex digits of its bits\n"
         "tamrel-cli format BITS      NumberToText of the double whose bits are the 16 hex "
         "digits BITS (either case)\n"
         "tamrel-cli normalise TEXT   the text that an R1 or R2 box shows after it loses the "
         "focus (may be empty)\n"
         "tamrel-cli --help           usage\n"
         "\n"
         "Each command prints one line, ended by LF.\n"
         "\n"
         "A single - in place of the operands reads the cases from standard input, one per\n"
         "line, and prints one line per case in order. A line ends at LF and nothing else\n"
         "is removed: a CR before the LF is part of the text. For vout a line holds R1 and\n"
         "R2 separated by exactly one TAB. A last line without LF counts as a line. As a\n"
         "consequence, the text \"-\" itself cannot be given as a lone operand; it reads as\n"
         "zero, like the empty text.\n"
         "\n"
         "Options go before the command; everything after the command is an operand, so\n"
         "negative values need no escaping (tamrel-cli vout 240 -720).\n"
         "  --gbk   operands and input lines are GBK bytes and are used as they are.\n"
         "          Without it they are UTF-8 and are converted to GBK (code page 936);\n"
         "          a character that GBK lacks becomes \"?\" and bytes that are not UTF-8\n"
         "          are an error. On Windows the command line itself arrives as Unicode\n"
         "          and is converted to GBK either way, so there --gbk changes only how\n"
         "          standard input is read.\n"
         "\n"
         "Exit status: 0 done; 2 bad input (a message on standard error names the line in\n"
         "batch mode; the lines before it have been printed); 1 out of memory, or standard\n"
         "input or output failed.\n";
}

}  // namespace tamrel::cli
