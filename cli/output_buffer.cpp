#include "cli/output_buffer.h"

#include <cstring>

namespace tamrel::cli {

OutputBuffer::OutputBuffer(std::FILE* stream, std::size_t capacity)
    : stream_(stream), bytes_(capacity == 0 ? 1 : capacity) {}

void OutputBuffer::Write(std::string_view bytes) {
  if (bytes.size() > bytes_.size() - used_) {
    Drain();
    if (bytes.size() > bytes_.size()) bytes_.resize(bytes.size());
  }
  std::memcpy(bytes_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void OutputBuffer::WriteLine(std::string_view line) {
  Write(line);
  Write("\n");
}

void OutputBuffer::Drain() {
  if (used_ > 0 && !failed_ && std::fwrite(bytes_.data(), 1, used_, stream_) != used_) {
    failed_ = true;
  }
  used_ = 0;
}

bool OutputBuffer::Flush() {
  Drain();
  if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) failed_ = true;
  return !failed_;
}

}  // namespace tamrel::cli
