#include "fuzz/full_width_model.h"

namespace tamrel::fuzz {
namespace {

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The ASCII character that a pair folds to, or 0 for a pair that stays.
char FoldedCharacter(unsigned char first, unsigned char second) {
  if (first == 0xA1 && second == 0xA1) return ' ';
  if (first == 0xA1 && second == 0xAB) return '~';
  if (first == 0xA1 && (second == 0xEE || second == 0xEF)) return '*';
  if (first == 0xA3 && second >= 0xA1 && second <= 0xFE) return static_cast<char>(second - 0x80);
  return 0;
}

}  // namespace

std::vector<std::string_view> GbkUnits(std::string_view text) {
  std::vector<std::string_view> units;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t length = IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
    units.push_back(text.substr(at, length));
    at += length;
  }
  return units;
}

std::string FoldedModel(std::string_view text) {
  std::string folded;
  for (const std::string_view unit : GbkUnits(text)) {
    if (unit.size() == 1) {
      if (!IsLeadByte(unit[0])) folded += unit;
      continue;
    }
    const char ascii =
        FoldedCharacter(static_cast<unsigned char>(unit[0]), static_cast<unsigned char>(unit[1]));
    if (ascii != 0) {
      folded += ascii;
    } else {
      folded += unit;
    }
  }
  return folded;
}

}  // namespace tamrel::fuzz
