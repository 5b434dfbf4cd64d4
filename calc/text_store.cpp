#include "calc/text_store.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace tamrel {
namespace {

// malloc may answer a request for nothing with nullptr; a text always has at
// least its terminating zero, but the store must not mistake that for
// exhaustion either way.
void* CHeapAllocate(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }
void CHeapRelease(void* block) { std::free(block); }

struct AddressRange {
  std::uintptr_t begin;
  std::uintptr_t end;
};

// The program has one constant block; a little room for tests of the store.
constexpr std::size_t kMaxConstantBlocks = 4;

struct TextStore {
  Heap heap{CHeapAllocate, CHeapRelease};
  AllocationFailureHandler on_failure = nullptr;
  std::array<AddressRange, kMaxConstantBlocks> constants{};
  std::size_t constant_count = 0;
};

TextStore& Store() {
  static TextStore store;
  return store;
}

std::uintptr_t AddressOf(const void* pointer) { return reinterpret_cast<std::uintptr_t>(pointer); }

}  // namespace

void UseHeap(const Heap& heap) { Store().heap = heap; }

const Heap& CurrentHeap() { return Store().heap; }

void SetAllocationFailureHandler(AllocationFailureHandler handler) { Store().on_failure = handler; }

void* AllocateMemory(std::size_t size) {
  TextStore& store = Store();
  if (void* block = store.heap.allocate(size)) {
    return block;
  }
  if (store.on_failure != nullptr) {
    store.on_failure(size);
  }
  // A handler that returns has broken its contract; carrying on would hand
  // out a null block as if it were storage.
  std::abort();
}

void ReleaseMemory(const void* block) {
  if (block == nullptr || IsInConstantBlock(block)) {
    return;
  }
  Store().heap.release(const_cast<void*>(block));
}

void RegisterConstantBlock(const void* begin, const void* end) {
  TextStore& store = Store();
  const AddressRange range{AddressOf(begin), AddressOf(end)};
  for (std::size_t i = 0; i < store.constant_count; ++i) {
    if (store.constants[i].begin == range.begin && store.constants[i].end == range.end) {
      return;
    }
  }
  if (store.constant_count == kMaxConstantBlocks) {
    std::abort();  // a programming error: the program has one block
  }
  store.constants[store.constant_count++] = range;
}

bool IsInConstantBlock(const void* address) {
  const TextStore& store = Store();
  const std::uintptr_t at = AddressOf(address);
  for (std::size_t i = 0; i < store.constant_count; ++i) {
    if (store.constants[i].begin <= at && at < store.constants[i].end) {
      return true;
    }
  }
  return false;
}

char* CopyText(const char* bytes, std::size_t length) {
  char* text = static_cast<char*>(AllocateMemory(length + 1));
  if (length != 0) {
    std::memcpy(text, bytes, length);
  }
  text[length] = '\0';
  return text;
}

}  // namespace tamrel
