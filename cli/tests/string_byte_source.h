// A byte source over a string that hands out at most `piece` bytes per read,
// as a pipe may, so that lines fall across the reader's refills.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/byte_source.h"

namespace tamrel::cli {

class StringByteSource final : public ByteSource {
 public:
  explicit StringByteSource(std::string_view bytes, std::size_t piece = 1 << 20)
      : bytes_(bytes), piece_(piece) {}

  std::size_t Read(char* buffer, std::size_t capacity) override {
    const std::size_t count = std::min({capacity, piece_, bytes_.size() - offset_});
    std::memcpy(buffer, bytes_.data() + offset_, count);
    offset_ += count;
    return count;
  }

 private:
  std::string bytes_;
  std::size_t piece_;
  std::size_t offset_ = 0;
};

}  // namespace tamrel::cli
