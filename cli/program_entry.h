// The whole of tamrel-cli's main: the core's set-up, the platform's
// arguments and streams, and the answer to exhausted memory.
#pragma once

#include <cstddef>

namespace tamrel::cli {

int CommandLineMain(int argc, char** argv);

// One line on standard error, exit status 1.
[[noreturn]] void ExitForAllocationFailure(std::size_t size);

}  // namespace tamrel::cli
