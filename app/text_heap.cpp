#include "app/text_heap.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/frame.h"
#include "app/frame_messages.h"

namespace tamrel::app {
namespace {

void* ProcessHeapAllocate(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }

void ProcessHeapRelease(void* block) { HeapFree(GetProcessHeap(), 0, block); }

// Writes `value` in decimal at `out`; returns the end.
char* AppendSignedDecimal(std::int32_t value, char* out) {
  std::int64_t magnitude = value;
  if (magnitude < 0) {
    *out++ = '-';
    magnitude = -magnitude;
  }
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0) {
    *out++ = digits[--count];
  }
  return out;
}

char* AppendText(const char* text, char* out) {
  const std::size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

}  // namespace

Heap ProcessHeap() { return Heap{&ProcessHeapAllocate, &ProcessHeapRelease}; }

void FormatAllocationFailure(std::size_t size, char (&message)[kAllocationMessageCapacity]) {
  // %d of the size: a size beyond 2^31 shows as the negative number whose
  // 32 bits it has.
  char* out = AppendText(kAllocationFailedBefore, message);
  out = AppendSignedDecimal(static_cast<std::int32_t>(static_cast<std::uint32_t>(size)), out);
  out = AppendText(kAllocationFailedAfter, out);
  *out = '\0';
}

void ReportAllocationFailure(std::size_t size) {
  char message[kAllocationMessageCapacity];
  FormatAllocationFailure(size, message);
  if (AppFrame* frame = ActiveFrame()) {
    frame->ReportRuntimeError(message);
  }
  std::abort();  // no frame to report through: only tests get here
}

}  // namespace tamrel::app
