// Where batch input comes from: standard input in the program, a string in
// the tests.
#pragma once

#include <cstddef>
#include <cstdio>

namespace tamrel::cli {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `capacity` bytes into `buffer`; 0 only at the end of the input or
  // after a failure.
  virtual std::size_t Read(char* buffer, std::size_t capacity) = 0;
  // True when the end came from a failure rather than the end of the input.
  virtual bool failed() const { return false; }
};

class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(std::FILE* stream) : stream_(stream) {}
  std::size_t Read(char* buffer, std::size_t capacity) override {
    return std::fread(buffer, 1, capacity, stream_);
  }
  bool failed() const override { return std::ferror(stream_) != 0; }

 private:
  std::FILE* stream_;
};

}  // namespace tamrel::cli
