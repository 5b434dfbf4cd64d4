#include "app/tests/png_file.h"

#include <cstdio>

namespace tamrel::app::testing {
namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

void PutChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
              const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBigEndian(out, Crc32(typed.data(), typed.size()));
}

std::vector<std::uint8_t> StoredZlibStream(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> z = {0x78, 0x01};
  constexpr std::size_t kMaxBlock = 65535;
  std::size_t at = 0;
  do {
    const std::size_t length = raw.size() - at < kMaxBlock ? raw.size() - at : kMaxBlock;
    const bool last = at + length == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(length));
    z.push_back(static_cast<std::uint8_t>(length >> 8));
    z.push_back(static_cast<std::uint8_t>(~length));
    z.push_back(static_cast<std::uint8_t>(~length >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
             raw.begin() + static_cast<std::ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBigEndian(z, (b << 16) | a);
  return z;
}

}  // namespace

bool WritePng(const std::wstring& path, int width, int height,
              const std::vector<std::uint8_t>& rgb) {
  std::vector<std::uint8_t> raw;
  const auto row = static_cast<std::size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    const auto begin = rgb.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(y));
    raw.insert(raw.end(), begin, begin + static_cast<std::ptrdiff_t>(row));
  }
  std::vector<std::uint8_t> header;
  PutBigEndian(header, static_cast<std::uint32_t>(width));
  PutBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB

  std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", StoredZlibStream(raw));
  PutChunk(file, "IEND", {});

  std::FILE* out = _wfopen(path.c_str(), L"wb");
  if (out == nullptr) {
    return false;
  }
  const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
  return std::fclose(out) == 0 && written;
}

}  // namespace tamrel::app::testing
