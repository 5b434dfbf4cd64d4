#include "cli/gbk_conversion.h"

#include "cli/gbk_character_encoder.h"

namespace tamrel::cli {
namespace {

constexpr char kReplacement = '?';

// A cache entry: 0 while the platform has not been asked, else the length
// plus one in the top byte and the GBK bytes below.
constexpr std::uint32_t kUnasked = 0;
constexpr std::size_t kBasicPlaneSize = 0x10000;

constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
// Code page 936 puts private-use characters into its user-defined rows on
// Windows, iconv leaves them out; such a character means nothing agreed.
constexpr bool IsPrivateUse(char32_t c) { return c >= 0xE000 && c <= 0xF8FF; }

struct Sequence {
  char32_t character = 0;
  std::size_t length = 0;  // 0 when the bytes at the front are not UTF-8
};

constexpr bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The UTF-8 sequence at the front of the non-empty `text`. With
// `accept_surrogates` the three-byte forms of U+D800 to U+DFFF count too.
Sequence ReadSequence(std::string_view text, bool accept_surrogates) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1};

  std::size_t length = 0;
  char32_t character = 0;
  unsigned char second_low = 0x80;
  unsigned char second_high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    character = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    character = lead & 0x0F;
    if (lead == 0xE0) second_low = 0xA0;  // shorter forms exist
    if (lead == 0xED && !accept_surrogates) second_high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    character = lead & 0x07;
    if (lead == 0xF0) second_low = 0x90;   // shorter forms exist
    if (lead == 0xF4) second_high = 0x8F;  // beyond U+10FFFF
  } else {
    return {};
  }
  if (text.size() < length) return {};

  const auto second = static_cast<unsigned char>(text[1]);
  if (second < second_low || second > second_high) return {};
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsContinuation(byte)) return {};
    character = (character << 6) | (byte & 0x3F);
  }
  return {character, length};
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

void GbkEncoder::Append(char32_t character, std::string& gbk) {
  if (character < 0x80) {
    gbk.push_back(static_cast<char>(character));
    return;
  }
  // Code page 936 is double-byte only: nothing beyond the basic plane.
  if (character >= kBasicPlaneSize || IsSurrogate(character) || IsPrivateUse(character)) {
    gbk.push_back(kReplacement);
    return;
  }
  if (known_.empty()) known_.assign(kBasicPlaneSize, kUnasked);
  std::uint32_t& entry = known_[character];
  if (entry == kUnasked) {
    const GbkBytes bytes = EncodeGbkCharacter(character);
    entry = (static_cast<std::uint32_t>(bytes.length + 1) << 24) |
            (static_cast<std::uint32_t>(bytes.bytes[0]) << 8) | bytes.bytes[1];
  }
  const int length = static_cast<int>(entry >> 24) - 1;
  if (length == 0) {
    gbk.push_back(kReplacement);
    return;
  }
  gbk.push_back(static_cast<char>((entry >> 8) & 0xFF));
  if (length == 2) gbk.push_back(static_cast<char>(entry & 0xFF));
}

bool DecodeOperand(std::string_view operand, OperandDecoding decoding, GbkEncoder& encoder,
                   std::string& gbk) {
  gbk.clear();
  if (decoding == OperandDecoding::kGbkAsIs) {
    gbk.assign(operand);
    return true;
  }
  const bool from_utf16 = decoding == OperandDecoding::kUnicodeToGbk;
  while (!operand.empty()) {
    const auto lead = static_cast<unsigned char>(operand[0]);
    if (lead < 0x80) {  // the common case: numbers are ASCII
      gbk.push_back(static_cast<char>(lead));
      operand.remove_prefix(1);
      continue;
    }
    const Sequence sequence = ReadSequence(operand, from_utf16);
    if (sequence.length == 0) {
      if (!from_utf16) return false;
      // Utf16ToUtf8 never makes such bytes; take each as a character GBK lacks.
      gbk.push_back(kReplacement);
      operand.remove_prefix(1);
      continue;
    }
    encoder.Append(sequence.character, gbk);
    operand.remove_prefix(sequence.length);
  }
  return true;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string utf8;
  utf8.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(c, utf8);
  }
  return utf8;
}

}  // namespace tamrel::cli
