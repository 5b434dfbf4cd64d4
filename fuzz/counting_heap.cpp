#include "fuzz/counting_heap.h"

#include <cstdlib>

#include "calc/text_store.h"

namespace tamrel::fuzz {
namespace {

std::size_t live_blocks = 0;
bool installed = false;

void* CountingAllocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr) ++live_blocks;
  return block;
}

void CountingRelease(void* block) {
  if (block == nullptr) return;
  if (live_blocks == 0) std::abort();  // a block released twice, or one never handed out
  --live_blocks;
  std::free(block);
}

}  // namespace

void UseCountingHeap() {
  if (installed) return;
  UseHeap(Heap{&CountingAllocate, &CountingRelease});
  installed = true;
}

std::size_t LiveBlocks() { return live_blocks; }

}  // namespace tamrel::fuzz
