// The batch line reader on arbitrary input, read in arbitrary pieces: the
// lines it hands out hold no LF, are numbered 1, 2, 3 ..., and put back
// together with LF they give the input exactly (a last line without LF is a
// line all the same). The first input bytes choose the reader's chunk size
// and the sizes of the pieces that the source hands out, as a pipe would.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "cli/byte_source.h"
#include "cli/line_reader.h"
#include "fuzz/mismatch.h"

namespace {

using namespace tamrel::fuzz;

// Hands out `bytes` in pieces whose sizes cycle through `pieces` (0 is read
// as 1: a source says 0 only at the end).
class PiecewiseSource final : public tamrel::cli::ByteSource {
 public:
  PiecewiseSource(std::string_view bytes, std::string_view pieces)
      : bytes_(bytes), pieces_(pieces) {}

  std::size_t Read(char* buffer, std::size_t capacity) override {
    if (ended_) ReportMismatch("the reader read on after the end of the input");
    std::size_t piece = 1;
    if (!pieces_.empty()) {
      piece = std::max<std::size_t>(1, static_cast<unsigned char>(pieces_[next_piece_]));
      next_piece_ = (next_piece_ + 1) % pieces_.size();
    }
    const std::size_t count = std::min({capacity, piece, bytes_.size() - offset_});
    std::memcpy(buffer, bytes_.data() + offset_, count);
    offset_ += count;
    ended_ = count == 0;
    return count;
  }

 private:
  std::string_view bytes_;
  std::string_view pieces_;
  std::size_t next_piece_ = 0;
  std::size_t offset_ = 0;
  bool ended_ = false;
};

constexpr std::size_t kHeaderSize = 4;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  if (all.size() < kHeaderSize) return 0;
  // Byte 0: the chunk (1 to 256); bytes 1 to 3: the piece sizes.
  const std::size_t chunk = static_cast<unsigned char>(all[0]) + std::size_t{1};
  const std::string_view pieces = all.substr(1, kHeaderSize - 1);
  const std::string_view input = all.substr(kHeaderSize);

  PiecewiseSource source(input, pieces);
  tamrel::cli::LineReader reader(source, chunk);
  std::string joined;
  std::size_t lines = 0;
  std::string_view line;
  while (reader.Next(line)) {
    ++lines;
    if (reader.line_number() != lines) {
      ReportMismatch("line " + std::to_string(lines) + " numbered " +
                     std::to_string(reader.line_number()));
    }
    if (line.find('\n') != std::string_view::npos) {
      ReportMismatch("line " + std::to_string(lines) + " holds an LF: " + Escaped(line));
    }
    joined += line;
    joined += '\n';
    if (joined.size() > input.size() + 1) ReportMismatch("more bytes out than in");
  }
  // Every line was given an LF above; the input's last line may have none.
  if (!joined.empty() && input.back() != '\n') joined.pop_back();
  if (joined != input) {
    ReportMismatch("lines " + Escaped(joined) + " do not make up the input " + Escaped(input) +
                   " (chunk " + std::to_string(chunk) + ")");
  }
  return 0;
}
