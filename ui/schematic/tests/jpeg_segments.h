// Splits a JPEG file into its marker segments, so that a test can see how a
// file was encoded without decoding it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tamrel::test {

struct JpegSegment {
  std::uint8_t marker;                     // the byte that follows 0xFF
  std::span<const unsigned char> payload;  // after the length field; empty for SOI and EOI
};

// The segments in file order, SOI first and EOI last. The entropy-coded data
// that follows a scan header belongs to no segment and is stepped over.
// Nothing when the file is not well formed: no SOI at the start, a length
// that runs past the end, no EOI, or bytes after the EOI.
std::optional<std::vector<JpegSegment>> SplitJpegSegments(std::span<const unsigned char> file);

}  // namespace tamrel::test
