// The text store on Windows: blocks from the process's default heap, and the
// error report when the heap has none left.
#pragma once

#include <cstddef>

#include "calc/text_store.h"

namespace tamrel::app {

// GetProcessHeap with HeapAlloc (no flags) and HeapFree.
Heap ProcessHeap();

// "分配 %d 字节内存失败!" with the size as a signed 32-bit decimal number.
// The longest message has 36 bytes and its terminating zero.
inline constexpr std::size_t kAllocationMessageCapacity = 40;
void FormatAllocationFailure(std::size_t size, char (&message)[kAllocationMessageCapacity]);

// The store's failure handler: the error report of the active frame.
[[noreturn]] void ReportAllocationFailure(std::size_t size);

}  // namespace tamrel::app
