// Collects output lines and hands them to the stream in large writes; a
// million-line batch would otherwise cost a million calls into the C library.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>
#include <vector>

namespace tamrel::cli {

class OutputBuffer {
 public:
  static constexpr std::size_t kDefaultCapacity = std::size_t{1} << 16;

  explicit OutputBuffer(std::FILE* stream, std::size_t capacity = kDefaultCapacity);
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;
  ~OutputBuffer() { Flush(); }

  void Write(std::string_view bytes);
  // `line` followed by LF.
  void WriteLine(std::string_view line);

  // Everything so far into the stream and through it; false when the stream
  // refused some of it, now or at an earlier write.
  bool Flush();

 private:
  void Drain();

  std::FILE* stream_;
  std::vector<char> bytes_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace tamrel::cli
