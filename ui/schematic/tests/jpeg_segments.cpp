#include "jpeg_segments.h"

#include <cstddef>

namespace tamrel::test {
namespace {

constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;

constexpr bool IsRestartMarker(std::uint8_t marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Inside entropy-coded data 0xFF is followed by a stuffed 0x00 or by a
// restart marker; any other byte after 0xFF starts the next segment.
std::size_t SkipEntropyCodedData(std::span<const unsigned char> file, std::size_t at) {
  while (at + 1 < file.size()) {
    if (file[at] == 0xFF) {
      const std::uint8_t next = file[at + 1];
      if (next != 0x00 && !IsRestartMarker(next)) return at;
      at += 2;
    } else {
      ++at;
    }
  }
  return file.size();
}

}  // namespace

std::optional<std::vector<JpegSegment>> SplitJpegSegments(std::span<const unsigned char> file) {
  if (file.size() < 2 || file[0] != 0xFF || file[1] != kStartOfImage) return std::nullopt;
  std::vector<JpegSegment> segments{{kStartOfImage, {}}};
  std::size_t at = 2;
  while (true) {
    if (at + 2 > file.size() || file[at] != 0xFF) return std::nullopt;
    while (at + 2 < file.size() && file[at + 1] == 0xFF) ++at;  // fill bytes
    const std::uint8_t marker = file[at + 1];
    at += 2;
    if (marker == kEndOfImage) {
      segments.push_back({marker, {}});
      if (at != file.size()) return std::nullopt;
      return segments;
    }
    if (at + 2 > file.size()) return std::nullopt;
    const std::size_t length = std::size_t{file[at]} << 8 | file[at + 1];
    if (length < 2 || at + length > file.size()) return std::nullopt;
    segments.push_back({marker, file.subspan(at + 2, length - 2)});
    at += length;
    if (marker == kStartOfScan) at = SkipEntropyCodedData(file, at);
  }
}

}  // namespace tamrel::test
