// The store of text values: zero-terminated GBK byte strings handed between
// the frame, the controls and the calculator. A text is a `char*` that its
// receiver owns and releases; nullptr is the absent text. Releasing an absent
// text or a pointer into a registered constant block does nothing, so the
// program's constants can be passed wherever a text is expected.
#pragma once

#include <cstddef>
#include <utility>

namespace tamrel {

// Where the blocks come from. The C heap unless a platform layer installs its
// own (the Windows frame uses the process's default heap).
struct Heap {
  void* (*allocate)(std::size_t size);  // nullptr when nothing is left
  void (*release)(void* block);
};

// Called with the size that could not be had. It must not return: the frame
// shows its error report and ends the process, the command line prints a
// message and exits. Should it return all the same, the process aborts.
using AllocationFailureHandler = void (*)(std::size_t size);

void UseHeap(const Heap& heap);
const Heap& CurrentHeap();
void SetAllocationFailureHandler(AllocationFailureHandler handler);

// Never returns without a block.
void* AllocateMemory(std::size_t size);
void ReleaseMemory(const void* block);

// [begin, end) holds constants; registering the same range twice is harmless.
void RegisterConstantBlock(const void* begin, const void* end);
bool IsInConstantBlock(const void* address);

// A new text holding `length` bytes of `bytes` and a terminating zero.
char* CopyText(const char* bytes, std::size_t length);

// Owns one text of the store (or none) and releases it when it goes.
class OwnedText {
 public:
  OwnedText() = default;
  explicit OwnedText(char* text) : text_(text) {}
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;
  OwnedText(OwnedText&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  OwnedText& operator=(OwnedText&& other) noexcept {
    if (this != &other) {
      ReleaseMemory(text_);
      text_ = std::exchange(other.text_, nullptr);
    }
    return *this;
  }
  ~OwnedText() { ReleaseMemory(text_); }

  const char* get() const { return text_; }
  bool absent() const { return text_ == nullptr; }
  // Hands the text to a caller that takes over its release.
  char* release() { return std::exchange(text_, nullptr); }

 private:
  char* text_ = nullptr;
};

}  // namespace tamrel
