// Decoding the picture of a picture box into 8-bit R, G, B pixels.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <span>

namespace tamrel::ui {

struct DecodedImage {
  int width = 0;
  int height = 0;
  std::unique_ptr<unsigned char[]> rgb;  // rows top to bottom, 3 bytes a pixel, no padding

  const unsigned char* Pixel(int x, int y) const {
    return rgb.get() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(x)) *
                           3;
  }
};

// The image, or nothing when the data is not a picture that can be decoded.
// Only JPEG (data starting FF D8) is known. Data cut off before the end of
// the image decodes as far as it goes.
std::optional<DecodedImage> DecodePicture(std::span<const unsigned char> data);

}  // namespace tamrel::ui
