#include "cli/line_reader.h"

#include <cstring>

namespace tamrel::cli {

LineReader::LineReader(ByteSource& source, std::size_t chunk)
    : source_(source), chunk_(chunk == 0 ? 1 : chunk), buffer_(chunk_) {}

bool LineReader::Next(std::string_view& line) {
  for (;;) {
    const char* const first = buffer_.data() + begin_;
    const std::size_t unread = end_ - begin_;
    if (const void* lf = std::memchr(first + scanned_, '\n', unread - scanned_)) {
      const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - first);
      line = std::string_view(first, length);
      begin_ += length + 1;
      scanned_ = 0;
      ++line_number_;
      return true;
    }
    scanned_ = unread;
    if (!Refill()) {
      if (unread == 0) return false;
      line = std::string_view(buffer_.data() + begin_, unread);
      begin_ = end_;
      scanned_ = 0;
      ++line_number_;
      return true;
    }
  }
}

bool LineReader::Refill() {
  if (at_end_) return false;
  const std::size_t unread = end_ - begin_;
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, unread);
    begin_ = 0;
    end_ = unread;
  }
  if (buffer_.size() - end_ < chunk_) buffer_.resize(end_ + chunk_);
  const std::size_t got = source_.Read(buffer_.data() + end_, chunk_);
  if (got == 0) {
    at_end_ = true;
    return false;
  }
  end_ += got;
  return true;
}

}  // namespace tamrel::cli
