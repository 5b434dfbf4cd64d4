#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "cli/gbk_character_encoder.h"

namespace tamrel::cli {
namespace {

// glibc's "CP936" is GBK with the euro sign at 80, as Windows has it.
class Cp936Converter {
 public:
  Cp936Converter() : descriptor_(iconv_open("CP936", "UTF-8")) {
    if (descriptor_ == kNoDescriptor) {
      std::fputs("tamrel-cli: the C library cannot convert to GBK (no CP936 in iconv)\n", stderr);
      std::exit(1);
    }
  }
  Cp936Converter(const Cp936Converter&) = delete;
  Cp936Converter& operator=(const Cp936Converter&) = delete;
  ~Cp936Converter() { iconv_close(descriptor_); }

  GbkBytes Convert(char32_t character) {
    char utf8[3];
    std::size_t utf8_length = 0;
    if (character < 0x800) {
      utf8[0] = static_cast<char>(0xC0 | (character >> 6));
      utf8[1] = static_cast<char>(0x80 | (character & 0x3F));
      utf8_length = 2;
    } else {
      utf8[0] = static_cast<char>(0xE0 | (character >> 12));
      utf8[1] = static_cast<char>(0x80 | ((character >> 6) & 0x3F));
      utf8[2] = static_cast<char>(0x80 | (character & 0x3F));
      utf8_length = 3;
    }
    char gbk[4];
    char* in = utf8;
    char* out = gbk;
    std::size_t in_left = utf8_length;
    std::size_t out_left = sizeof gbk;
    const std::size_t result = iconv(descriptor_, &in, &in_left, &out, &out_left);
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    const std::size_t length = sizeof gbk - out_left;
    // A count above zero would be a guess ("transliteration"), not a mapping.
    if (result != 0 || in_left != 0 || length == 0 || length > 2) return {};
    GbkBytes bytes;
    bytes.length = static_cast<int>(length);
    bytes.bytes[0] = static_cast<unsigned char>(gbk[0]);
    if (length == 2) bytes.bytes[1] = static_cast<unsigned char>(gbk[1]);
    return bytes;
  }

 private:
  static inline const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
  iconv_t descriptor_;
};

}  // namespace

GbkBytes EncodeGbkCharacter(char32_t character) {
  static Cp936Converter converter;
  return converter.Convert(character);
}

}  // namespace tamrel::cli
