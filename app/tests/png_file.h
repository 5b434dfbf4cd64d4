// Writing an RGB picture as a PNG file, with no library: stored (not
// compressed) deflate blocks are valid PNG and enough for a screenshot.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tamrel::app::testing {

// `rgb` holds height rows of width * 3 bytes, top row first.
bool WritePng(const std::wstring& path, int width, int height,
              const std::vector<std::uint8_t>& rgb);

}  // namespace tamrel::app::testing
