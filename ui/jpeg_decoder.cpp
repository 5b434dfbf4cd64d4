#include "ui/jpeg_decoder.h"

#include <csetjmp>
#include <cstdint>
#include <new>

#include "ui/libjpeg.h"

namespace tamrel::ui {
namespace {

// libjpeg's error exit must not return into the library. It jumps back to
// the phase of decoding that was running; the phases below hold no objects
// with destructors, so nothing is skipped by the jump.
struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf phase;
};

[[noreturn]] void LeaveDecoding(j_common_ptr decompressor) {
  std::longjmp(reinterpret_cast<ErrorManager*>(decompressor->err)->phase, 1);
}

// Warnings (such as a cut-off file) are not reported anywhere.
void IgnoreMessage(j_common_ptr) {}

struct Decompressor {
  jpeg_decompress_struct info{};
  ErrorManager errors{};

  Decompressor() {
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = LeaveDecoding;
    errors.library.output_message = IgnoreMessage;
  }
  ~Decompressor() { jpeg_destroy_decompress(&info); }
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;
};

// Phase 1: header and start of decompression. False on a decoding error.
bool StartDecompression(Decompressor& d, const unsigned char* data, unsigned long size) {
  if (setjmp(d.errors.phase) != 0) return false;
  jpeg_create_decompress(&d.info);
  // An empty source is an error of its own in the library; data that runs
  // out early gets an end-of-image marker from the memory source.
  jpeg_mem_src(&d.info, data, size);
  jpeg_read_header(&d.info, TRUE);
  jpeg_start_decompress(&d.info);
  return d.info.output_components == 1 || d.info.output_components == 3;
}

// Phase 2: the scan lines, grey values repeated into R, G and B.
bool ReadScanLines(Decompressor& d, unsigned char* const rgb, unsigned char* const line) {
  if (setjmp(d.errors.phase) != 0) return false;
  const JDIMENSION width = d.info.output_width;
  const bool grey = d.info.output_components == 1;
  while (d.info.output_scanline < d.info.output_height) {
    unsigned char* out = rgb + std::size_t{d.info.output_scanline} * width * 3;
    JSAMPROW row = line;
    jpeg_read_scanlines(&d.info, &row, 1);
    for (JDIMENSION x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) *out++ = grey ? line[x] : line[x * 3 + c];
    }
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

std::optional<DecodedImage> DecodeJpeg(std::span<const unsigned char> data) {
  Decompressor decompressor;
  if (!StartDecompression(decompressor, data.data(), static_cast<unsigned long>(data.size()))) {
    return std::nullopt;
  }
  const std::size_t width = decompressor.info.output_width;
  const std::size_t height = decompressor.info.output_height;
  if (width != 0 && height > SIZE_MAX / 3 / width) return std::nullopt;
  DecodedImage image;
  image.width = static_cast<int>(width);
  image.height = static_cast<int>(height);
  image.rgb.reset(new (std::nothrow) unsigned char[width * height * 3]);
  const std::unique_ptr<unsigned char[]> line(new (std::nothrow) unsigned char[width * 3]);
  if (!image.rgb || !line || !ReadScanLines(decompressor, image.rgb.get(), line.get())) {
    return std::nullopt;
  }
  return image;
}

}  // namespace

std::optional<DecodedImage> DecodePicture(std::span<const unsigned char> data) {
  const bool is_jpeg = data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8;
  if (!is_jpeg) return std::nullopt;
  return DecodeJpeg(data);
}

}  // namespace tamrel::ui
