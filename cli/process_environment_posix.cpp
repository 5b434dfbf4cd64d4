#include "cli/process_environment.h"

namespace tamrel::cli {

void PrepareStandardStreams() {}

std::vector<std::string> ReadArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool ArgumentsArriveAsUnicode() { return false; }

}  // namespace tamrel::cli
