// Turning operand text into the GBK byte strings the calculator reads. The
// decoding is strict and ours on every platform, so that what counts as bad
// input does not depend on the platform's converter; only the mapping of one
// character to its GBK bytes is the platform's (gbk_character_encoder.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamrel::cli {

// Remembers the platform's answer for each character it has been asked about,
// so that a long batch costs one platform call per distinct character.
class GbkEncoder {
 public:
  // Appends the GBK bytes of `character` (any code point), or "?" when GBK
  // has no form for it.
  void Append(char32_t character, std::string& gbk);

 private:
  std::vector<std::uint32_t> known_;  // per BMP code point, empty until needed
};

enum class OperandDecoding {
  kUtf8,          // UTF-8 converted to GBK; invalid UTF-8 is bad input
  kGbkAsIs,       // the bytes are GBK already
  kUnicodeToGbk,  // text that came as UTF-16 (the Windows command line), in
                  // the UTF-8 form of Utf16ToUtf8: converted to GBK, with a
                  // lone surrogate half becoming "?"
};

// Replaces `gbk` with `operand` decoded as asked. Returns false, with
// `gbk` half-filled, when kUtf8 meets bytes that are not UTF-8.
bool DecodeOperand(std::string_view operand, OperandDecoding decoding, GbkEncoder& encoder,
                   std::string& gbk);

// UTF-16 as UTF-8; a lone surrogate half takes the three-byte form that
// strict UTF-8 rejects, so DecodeOperand can tell it from a character.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace tamrel::cli
