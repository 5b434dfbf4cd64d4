// The exit statuses of tamrel-cli.
#pragma once

namespace tamrel::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailure = 1;   // out of memory, or standard input or output failed
inline constexpr int kExitBadInput = 2;  // the command line or an input line makes no sense

}  // namespace tamrel::cli
