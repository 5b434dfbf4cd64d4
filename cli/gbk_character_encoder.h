// The GBK form (Windows code page 936) of one character, as the platform's own
// conversion tables give it: iconv's "CP936" natively, WideCharToMultiByte
// on Windows. Both agree on the characters that Windows maps, apart from the
// private-use area, which callers keep away from this function.
#pragma once

namespace tamrel::cli {

struct GbkBytes {
  int length = 0;  // 0 when code page 936 has no form for the character
  unsigned char bytes[2] = {0, 0};
};

// `character` is a code point from U+0080 to U+FFFF outside the surrogates.
GbkBytes EncodeGbkCharacter(char32_t character);

}  // namespace tamrel::cli
