// Decoding pictures: whole, cut off, grey, and data that is no picture.
#include "ui/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "ui/libjpeg.h"
#include "ui/schematic/schematic_picture.h"

namespace tamrel::ui {
namespace {

// A JPEG of the given pixels (3 components, or 1 for grey) at the highest
// quality, made with the library's own compressor.
std::vector<unsigned char> EncodeJpeg(int width, int height, int components,
                                      const std::vector<unsigned char>& pixels) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  for (int c = 0; c < info.num_components; ++c) {  // no chroma subsampling
    info.comp_info[c].h_samp_factor = 1;
    info.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(pixels.data()) +
                   static_cast<std::size_t>(info.next_scanline) * width * components;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<unsigned char> jpeg(buffer, buffer + size);
  std::free(buffer);
  return jpeg;
}

// Flat areas of a few colours, which survive the compression nearly intact.
std::vector<unsigned char> Blocks(int width, int height, int components) {
  std::vector<unsigned char> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int block = (x / 8 + y / 8) % 3;
      const unsigned char colour[3][3] = {{250, 250, 250}, {10, 10, 10}, {200, 40, 90}};
      for (int c = 0; c < components; ++c) pixels.push_back(colour[block][components == 1 ? 0 : c]);
    }
  }
  return pixels;
}

int Distance(unsigned char a, unsigned char b) { return a > b ? a - b : b - a; }

TEST(DecodePictureTest, DecodesAColourJpegIntoRgbRows) {
  constexpr int kWidth = 24, kHeight = 16;
  const std::vector<unsigned char> pixels = Blocks(kWidth, kHeight, 3);
  const std::optional<DecodedImage> image = DecodePicture(EncodeJpeg(kWidth, kHeight, 3, pixels));
  ASSERT_TRUE(image.has_value());
  ASSERT_EQ(image->width, kWidth);
  ASSERT_EQ(image->height, kHeight);
  int worst = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      for (int c = 0; c < 3; ++c) {
        worst = std::max(worst, Distance(image->Pixel(x, y)[c], pixels[(y * kWidth + x) * 3 + c]));
      }
    }
  }
  EXPECT_LE(worst, 4);
}

TEST(DecodePictureTest, RepeatsTheGreyValueOfAGreyJpegInAllThreeChannels) {
  constexpr int kWidth = 16, kHeight = 16;
  const std::vector<unsigned char> pixels = Blocks(kWidth, kHeight, 1);
  const std::optional<DecodedImage> image = DecodePicture(EncodeJpeg(kWidth, kHeight, 1, pixels));
  ASSERT_TRUE(image.has_value());
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const unsigned char* rgb = image->Pixel(x, y);
      EXPECT_EQ(rgb[0], rgb[1]);
      EXPECT_EQ(rgb[1], rgb[2]);
      EXPECT_LE(Distance(rgb[0], pixels[y * kWidth + x]), 4);
    }
  }
}

TEST(DecodePictureTest, DecodesTheSchematicAtItsNaturalSize) {
  const std::optional<DecodedImage> image = DecodePicture(SchematicJpeg());
  ASSERT_TRUE(image.has_value());
  EXPECT_EQ(image->width, 452);
  EXPECT_EQ(image->height, 223);
}

TEST(DecodePictureTest, DecodesCutOffDataAsFarAsItGoes) {
  const std::span<const unsigned char> whole = SchematicJpeg();
  const std::optional<DecodedImage> full = DecodePicture(whole);
  const std::optional<DecodedImage> cut = DecodePicture(whole.first(whole.size() / 2));
  ASSERT_TRUE(full.has_value());
  ASSERT_TRUE(cut.has_value());
  ASSERT_EQ(cut->width, full->width);
  ASSERT_EQ(cut->height, full->height);
  // The first rows, which lie well inside the kept half, are the same.
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < full->width; ++x) {
      ASSERT_EQ(std::memcmp(cut->Pixel(x, y), full->Pixel(x, y), 3), 0) << x << "," << y;
    }
  }
}

TEST(DecodePictureTest, GivesNoImageForDataThatIsNoPicture) {
  const std::vector<unsigned char> empty;
  const std::vector<unsigned char> marker_only = {0xFF, 0xD8};
  const std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const std::vector<unsigned char> garbage = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34, 0x56, 0x78};
  std::vector<unsigned char> headless(SchematicJpeg().begin(), SchematicJpeg().end());
  headless[0] = 0x00;
  for (const auto& data : {empty, marker_only, png, garbage, headless}) {
    EXPECT_FALSE(DecodePicture(data).has_value()) << data.size() << " bytes";
  }
}

}  // namespace
}  // namespace tamrel::ui
