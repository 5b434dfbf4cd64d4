// Checks the schematic as the program carries it: how the JPEG is coded,
// marker by marker, and what libjpeg decodes from it.
#include "ui/schematic/schematic_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <utility>
#include <vector>

#include "jpeg_segments.h"

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace tamrel::ui {
namespace {

using test::JpegSegment;
using test::SplitJpegSegments;

constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kApp0 = 0xE0;
constexpr std::uint8_t kDqt = 0xDB;
constexpr std::uint8_t kSof0 = 0xC0;
constexpr std::uint8_t kDht = 0xC4;
constexpr std::uint8_t kSos = 0xDA;

constexpr int kWidth = 452;
constexpr int kHeight = 223;

std::uint16_t BigEndian16(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

// The typical Huffman tables of the JPEG standard (Annex K.3): the 16 code
// counts by length, then the symbols in code order.
struct HuffmanTable {
  std::vector<unsigned char> counts;
  std::vector<unsigned char> symbols;
  friend bool operator==(const HuffmanTable&, const HuffmanTable&) = default;
};

const HuffmanTable kLuminanceDc{
    {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0},
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
};

const HuffmanTable kChrominanceDc{
    {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0},
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
};

const HuffmanTable kLuminanceAc{
    {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D},
    {0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
     0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52,
     0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25,
     0x26, 0x27, 0x28, 0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44, 0x45,
     0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64,
     0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83,
     0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
     0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6,
     0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xD2, 0xD3,
     0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8,
     0xE9, 0xEA, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA},
};

const HuffmanTable kChrominanceAc{
    {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77},
    {0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61,
     0x71, 0x13, 0x22, 0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xA1, 0xB1, 0xC1, 0x09, 0x23, 0x33,
     0x52, 0xF0, 0x15, 0x62, 0x72, 0xD1, 0x0A, 0x16, 0x24, 0x34, 0xE1, 0x25, 0xF1, 0x17, 0x18,
     0x19, 0x1A, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x43, 0x44,
     0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63,
     0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A,
     0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97,
     0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9, 0xAA, 0xB2, 0xB3, 0xB4,
     0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA,
     0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7,
     0xE8, 0xE9, 0xEA, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA},
};

// Huffman tables are keyed by (class, id): class 0 is DC, 1 is AC.
using HuffmanTables = std::map<std::pair<int, int>, HuffmanTable>;

class SchematicJpegTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto split = SplitJpegSegments(SchematicJpeg());
    ASSERT_TRUE(split.has_value()) << "the embedded picture is not a well-formed JPEG file";
    segments_ = std::move(*split);
  }

  std::vector<std::span<const unsigned char>> PayloadsOf(std::uint8_t marker) const {
    std::vector<std::span<const unsigned char>> payloads;
    for (const JpegSegment& segment : segments_) {
      if (segment.marker == marker) payloads.push_back(segment.payload);
    }
    return payloads;
  }

  std::vector<JpegSegment> segments_;
};

TEST(SchematicJpegEmbedding, HoldsTheBytesOfTheRepositoryFile) {
  std::ifstream file(TAMREL_SCHEMATIC_JPG, std::ios::binary);
  ASSERT_TRUE(file) << TAMREL_SCHEMATIC_JPG;
  const std::vector<unsigned char> expected{std::istreambuf_iterator<char>(file),
                                            std::istreambuf_iterator<char>()};
  const std::span<const unsigned char> embedded = SchematicJpeg();
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(std::ranges::equal(embedded, expected));
}

TEST_F(SchematicJpegTest, HoldsOnlyTheSegmentsOfABaselineJfifFile) {
  ASSERT_GE(segments_.size(), 3u);
  EXPECT_EQ(segments_.front().marker, kSoi);
  EXPECT_EQ(segments_[1].marker, kApp0) << "the JFIF segment must follow the start of image";
  EXPECT_EQ(segments_.back().marker, kEoi);
  // Anything else (another frame type, arithmetic coding, restart intervals,
  // further application data) would be a different encoding.
  const std::set<std::uint8_t> allowed{kSoi, kApp0, kDqt, kSof0, kDht, kSos, kEoi};
  for (const JpegSegment& segment : segments_) {
    EXPECT_TRUE(allowed.contains(segment.marker)) << "marker 0x" << std::hex << +segment.marker;
  }
  EXPECT_EQ(PayloadsOf(kApp0).size(), 1u);
  EXPECT_EQ(PayloadsOf(kSof0).size(), 1u);
  EXPECT_EQ(PayloadsOf(kSos).size(), 1u) << "one scan";
}

TEST_F(SchematicJpegTest, IsJfif101At96DotsPerInch) {
  const auto app0 = PayloadsOf(kApp0);
  ASSERT_EQ(app0.size(), 1u);
  const std::span<const unsigned char> jfif = app0.front();
  ASSERT_EQ(jfif.size(), 14u);
  EXPECT_TRUE(
      std::ranges::equal(jfif.first(5), std::array<unsigned char, 5>{'J', 'F', 'I', 'F', 0}));
  EXPECT_EQ(jfif[5], 1) << "major version";
  EXPECT_EQ(jfif[6], 1) << "minor version";
  EXPECT_EQ(jfif[7], 1) << "density unit: dots per inch";
  EXPECT_EQ(BigEndian16(jfif, 8), 96);
  EXPECT_EQ(BigEndian16(jfif, 10), 96);
  EXPECT_EQ(jfif[12], 0) << "no thumbnail";
  EXPECT_EQ(jfif[13], 0) << "no thumbnail";
}

TEST_F(SchematicJpegTest, FrameIsBaseline8Bit452x223YCbCrWithoutSubsampling) {
  const auto frames = PayloadsOf(kSof0);
  ASSERT_EQ(frames.size(), 1u);
  const std::span<const unsigned char> frame = frames.front();
  ASSERT_EQ(frame.size(), 6u + 3 * 3);
  EXPECT_EQ(frame[0], 8) << "sample precision";
  EXPECT_EQ(BigEndian16(frame, 1), kHeight);
  EXPECT_EQ(BigEndian16(frame, 3), kWidth);
  ASSERT_EQ(frame[5], 3) << "components";
  // JFIF numbers Y, Cb and Cr 1, 2 and 3; 0x11 is 1 x 1 sampling.
  for (int c = 0; c < 3; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(frame[6 + 3 * c], c + 1) << "component id";
    EXPECT_EQ(frame[7 + 3 * c], 0x11) << "sampling factors";
  }
}

TEST_F(SchematicJpegTest, EveryQuantisationValueIsOne) {
  std::set<int> defined;
  for (const std::span<const unsigned char> dqt : PayloadsOf(kDqt)) {
    std::size_t at = 0;
    while (at < dqt.size()) {
      const int precision = dqt[at] >> 4;
      const int id = dqt[at] & 0x0F;
      ASSERT_EQ(precision, 0) << "8-bit quantisation values, as baseline requires";
      ASSERT_LE(at + 1 + 64, dqt.size());
      const auto values = dqt.subspan(at + 1, 64);
      EXPECT_TRUE(std::ranges::all_of(values, [](unsigned char v) { return v == 1; }))
          << "table " << id;
      defined.insert(id);
      at += 1 + 64;
    }
  }
  // Every table that a component uses must be one of those checked.
  const auto frames = PayloadsOf(kSof0);
  ASSERT_EQ(frames.size(), 1u);
  ASSERT_EQ(frames.front().size(), 15u);
  for (int c = 0; c < 3; ++c) {
    EXPECT_TRUE(defined.contains(frames.front()[8 + 3 * c])) << "component " << c + 1;
  }
}

TEST_F(SchematicJpegTest, UsesTheStandardHuffmanTables) {
  HuffmanTables tables;
  for (const std::span<const unsigned char> dht : PayloadsOf(kDht)) {
    std::size_t at = 0;
    while (at < dht.size()) {
      ASSERT_LE(at + 17, dht.size());
      const std::pair<int, int> key{dht[at] >> 4, dht[at] & 0x0F};
      const auto counts = dht.subspan(at + 1, 16);
      std::size_t symbols = 0;
      for (const unsigned char count : counts) symbols += count;
      ASSERT_LE(at + 17 + symbols, dht.size());
      const auto values = dht.subspan(at + 17, symbols);
      EXPECT_FALSE(tables.contains(key)) << "table defined twice";
      tables[key] = {{counts.begin(), counts.end()}, {values.begin(), values.end()}};
      at += 17 + symbols;
    }
  }
  const HuffmanTables standard{{{0, 0}, kLuminanceDc},
                               {{1, 0}, kLuminanceAc},
                               {{0, 1}, kChrominanceDc},
                               {{1, 1}, kChrominanceAc}};
  EXPECT_EQ(tables.size(), standard.size());
  for (const auto& [key, table] : standard) {
    SCOPED_TRACE(::testing::Message() << "class " << key.first << ", id " << key.second);
    ASSERT_TRUE(tables.contains(key));
    EXPECT_EQ(tables.at(key), table);
  }
}

TEST_F(SchematicJpegTest, TheOneScanCodesAllComponentsSequentially) {
  const auto scans = PayloadsOf(kSos);
  ASSERT_EQ(scans.size(), 1u);
  const std::span<const unsigned char> scan = scans.front();
  ASSERT_EQ(scan.size(), 1u + 3 * 2 + 3);
  ASSERT_EQ(scan[0], 3) << "components in the scan";
  // Y takes the luminance tables (DC 0, AC 0), Cb and Cr the chrominance ones.
  constexpr std::array<std::pair<int, int>, 3> kComponents{{{1, 0x00}, {2, 0x11}, {3, 0x11}}};
  for (std::size_t c = 0; c < kComponents.size(); ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(scan[1 + 2 * c], kComponents[c].first);
    EXPECT_EQ(scan[2 + 2 * c], kComponents[c].second);
  }
  EXPECT_EQ(scan[7], 0) << "spectral selection start";
  EXPECT_EQ(scan[8], 63) << "spectral selection end";
  EXPECT_EQ(scan[9], 0) << "no successive approximation";
}

// libjpeg reports errors by calling error_exit, which must not return.
struct ErrorManager {
  jpeg_error_mgr library;
  std::jmp_buf back_to_caller;
};

void JumpBackToCaller(j_common_ptr decompressor) {
  std::longjmp(reinterpret_cast<ErrorManager*>(decompressor->err)->back_to_caller, 1);
}

struct Image {
  int width = 0;
  int height = 0;
  int components = 0;
  std::vector<unsigned char> pixels;  // rows top to bottom, components interleaved
};

// Decodes as the picture box does: default output, one scan line at a time.
// Nothing on a decoding error.
std::optional<Image> Decode(std::span<const unsigned char> jpeg) {
  Image image;
  jpeg_decompress_struct decompressor{};
  ErrorManager errors{};
  decompressor.err = jpeg_std_error(&errors.library);
  errors.library.error_exit = JumpBackToCaller;
  if (setjmp(errors.back_to_caller) != 0) {
    jpeg_destroy_decompress(&decompressor);
    return std::nullopt;
  }
  jpeg_create_decompress(&decompressor);
  jpeg_mem_src(&decompressor, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&decompressor, TRUE);
  jpeg_start_decompress(&decompressor);
  image.width = static_cast<int>(decompressor.output_width);
  image.height = static_cast<int>(decompressor.output_height);
  image.components = decompressor.output_components;
  const std::size_t stride = static_cast<std::size_t>(image.width) * image.components;
  image.pixels.resize(stride * image.height);
  while (decompressor.output_scanline < decompressor.output_height) {
    JSAMPROW row = image.pixels.data() + stride * decompressor.output_scanline;
    jpeg_read_scanlines(&decompressor, &row, 1);
  }
  jpeg_finish_decompress(&decompressor);
  jpeg_destroy_decompress(&decompressor);
  return image;
}

class DecodedSchematicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto decoded = Decode(SchematicJpeg());
    ASSERT_TRUE(decoded.has_value()) << "libjpeg could not decode the picture";
    image_ = std::move(*decoded);
    ASSERT_EQ(image_.width, kWidth);
    ASSERT_EQ(image_.height, kHeight);
    ASSERT_EQ(image_.components, 3);
  }

  std::span<const unsigned char, 3> Pixel(int x, int y) const {
    return std::span<const unsigned char, 3>(
        image_.pixels.data() + (static_cast<std::size_t>(y) * image_.width + x) * 3, 3);
  }

  Image image_;
};

TEST_F(DecodedSchematicTest, IsBlackLinesOnWhiteInNeutralGreys) {
  constexpr int kGreyTolerance = 3;  // what the colour conversion may add
  int black = 0;
  int white = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const auto rgb = Pixel(x, y);
      const auto [lowest, highest] = std::ranges::minmax(rgb);
      ASSERT_LE(highest - lowest, kGreyTolerance) << "pixel " << x << ", " << y;
      if (highest <= 32) ++black;
      if (lowest >= 224) ++white;
    }
  }
  EXPECT_GT(black, 0);
  // A line drawing: white background almost everywhere.
  EXPECT_GT(white, kWidth * kHeight * 8 / 10);
}

TEST_F(DecodedSchematicTest, DrawsTheWiresWhereTheCircuitRuns) {
  struct Probe {
    const char* what;
    int x, y;
    bool ink;
  };
  constexpr Probe kProbes[] = {
      {"input wire", 110, 56, true},
      {"regulator block, left side", 148, 70, true},
      {"regulator block, top", 230, 18, true},
      {"regulator block, bottom", 170, 95, true},
      {"output wire", 320, 56, true},
      {"divider above R1", 340, 64, true},
      {"divider between R1 and R2", 340, 120, true},
      {"ADJ wire, down from the pin", 206, 104, true},
      {"ADJ wire, across to the divider", 270, 113, true},
      {"input capacitor, upper plate", 82, 85, true},
      {"input capacitor, lower plate", 82, 94, true},
      {"ground bar under R2", 340, 171, true},
      {"top left corner", 2, 2, false},
      {"bottom right corner", 449, 220, false},
      {"between the capacitor plates", 82, 90, false},
      {"below the input wire", 120, 150, false},
      {"inside the block, between the texts", 206, 66, false},
  };
  for (const Probe& probe : kProbes) {
    const unsigned char grey = Pixel(probe.x, probe.y)[1];
    if (probe.ink) {
      EXPECT_LE(grey, 64) << probe.what;
    } else {
      EXPECT_GE(grey, 224) << probe.what;
    }
  }
}

TEST(JpegSegmentSplitting, RefusesFilesThatAreNotWellFormed) {
  using Bytes = std::vector<unsigned char>;
  const struct {
    const char* what;
    Bytes bytes;
    bool well_formed;
  } kCases[] = {
      {"start and end only", {0xFF, 0xD8, 0xFF, 0xD9}, true},
      {"scan data with a stuffed byte and a restart marker",
       {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x12, 0xFF, 0x00, 0xFF, 0xD0, 0x34, 0xFF, 0xD9},
       true},
      {"empty", {}, false},
      {"no start of image", {0xFF, 0xD9}, false},
      {"no end of image", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02}, false},
      {"length past the end", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x09, 0xFF, 0xD9}, false},
      {"bytes after the end of image", {0xFF, 0xD8, 0xFF, 0xD9, 0x00}, false},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(SplitJpegSegments(c.bytes).has_value(), c.well_formed) << c.what;
  }
}

TEST(JpegSegmentSplitting, StepsOverScanDataToTheNextMarker) {
  const std::vector<unsigned char> bytes{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x03, 0x07, 0xFF, 0x00,
                                         0x55, 0xFF, 0xDA, 0x00, 0x02, 0x66, 0xFF, 0xD9};
  const auto segments = SplitJpegSegments(bytes);
  ASSERT_TRUE(segments.has_value());
  ASSERT_EQ(segments->size(), 4u);
  EXPECT_EQ((*segments)[1].marker, kSos);
  EXPECT_TRUE(std::ranges::equal((*segments)[1].payload, std::array<unsigned char, 1>{0x07}));
  EXPECT_EQ((*segments)[2].marker, kSos);
  EXPECT_TRUE((*segments)[2].payload.empty());
}

}  // namespace
}  // namespace tamrel::ui
