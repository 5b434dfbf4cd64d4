// Splits a byte stream into lines at LF. The LF is not part of the line and
// nothing else is removed: a CR before it stays in the line. A last line
// without LF is a line all the same; an empty stream has no lines.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "cli/byte_source.h"

namespace tamrel::cli {

class LineReader {
 public:
  static constexpr std::size_t kDefaultChunk = std::size_t{1} << 20;

  // Reads `source` in pieces of `chunk` bytes; a longer line grows the buffer.
  explicit LineReader(ByteSource& source, std::size_t chunk = kDefaultChunk);

  // The next line, valid until the next call; false at the end of the input.
  bool Next(std::string_view& line);

  // The number of the line that Next returned last, counting from 1.
  std::size_t line_number() const { return line_number_; }

 private:
  // Moves the unread bytes to the front and reads more after them; false
  // when the source has nothing more.
  bool Refill();

  ByteSource& source_;
  std::size_t chunk_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;    // first unread byte
  std::size_t end_ = 0;      // one past the last byte read
  std::size_t scanned_ = 0;  // bytes from begin_ on known to hold no LF
  bool at_end_ = false;
  std::size_t line_number_ = 0;
};

}  // namespace tamrel::cli
