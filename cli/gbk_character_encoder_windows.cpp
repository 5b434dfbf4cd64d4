#include <windows.h>

#include "cli/gbk_character_encoder.h"

namespace tamrel::cli {

GbkBytes EncodeGbkCharacter(char32_t character) {
  constexpr UINT kGbkCodePage = 936;
  const wchar_t wide = static_cast<wchar_t>(character);
  char gbk[4];
  BOOL used_default = FALSE;
  // Without WC_NO_BEST_FIT_CHARS Windows would write a look-alike ("e" for
  // an accented e that GBK lacks) where the character should become "?".
  const int length = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, gbk,
                                         sizeof gbk, "?", &used_default);
  if (length <= 0 || length > 2 || used_default) return {};
  GbkBytes bytes;
  bytes.length = length;
  bytes.bytes[0] = static_cast<unsigned char>(gbk[0]);
  if (length == 2) bytes.bytes[1] = static_cast<unsigned char>(gbk[1]);
  return bytes;
}

}  // namespace tamrel::cli
