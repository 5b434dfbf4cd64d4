#include "app/object_heap.h"

#include <new>

#include "app/text_heap.h"

namespace tamrel::app {

Heap& ObjectHeap() {
  static Heap heap = ProcessHeap();
  return heap;
}

}  // namespace tamrel::app

// The array forms are here too: the runtime's own would forward to these,
// but its nothrow one catches an exception on the way, which would bring
// the exception runtime into a program that has none.
void* operator new(std::size_t size) {
  const std::size_t asked = size == 0 ? 1 : size;
  if (void* block = tamrel::app::ObjectHeap().allocate(asked)) {
    return block;
  }
  tamrel::app::ReportAllocationFailure(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return tamrel::app::ObjectHeap().allocate(size == 0 ? 1 : size);
}

void operator delete(void* block) noexcept {
  if (block != nullptr) {
    tamrel::app::ObjectHeap().release(block);
  }
}

void operator delete(void* block, std::size_t /*size*/) noexcept { operator delete(block); }

void operator delete(void* block, const std::nothrow_t&) noexcept { operator delete(block); }

void* operator new[](std::size_t size) { return operator new(size); }

void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept {
  return operator new(size, nothrow);
}

void operator delete[](void* block) noexcept { operator delete(block); }

void operator delete[](void* block, std::size_t /*size*/) noexcept { operator delete(block); }

void operator delete[](void* block, const std::nothrow_t&) noexcept { operator delete(block); }
