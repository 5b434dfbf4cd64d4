// tamrel-cli over a heap that never has a block, for the test of what the
// program does when memory runs out.
#include "calc/text_store.h"
#include "cli/program_entry.h"

namespace {

void* NoBlock(std::size_t) { return nullptr; }
void ReleaseNothing(void*) {}

}  // namespace

int main(int argc, char** argv) {
  tamrel::UseHeap({&NoBlock, &ReleaseNothing});
  return tamrel::cli::CommandLineMain(argc, argv);
}
