#include <cstring>

#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace tamrel {
namespace {

// The ASCII byte that a GBK pair stands for, or 0 when the pair is kept.
unsigned char FoldedPair(unsigned char lead, unsigned char trail) {
  if (lead == 0xA1) {
    switch (trail) {
      case 0xA1:
        return ' ';  // ideographic space
      case 0xAB:
        return '~';  // full-width tilde
      case 0xEE:
      case 0xEF:
        return '*';  // white and black star
      default:
        return 0;
    }
  }
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
    return static_cast<unsigned char>(trail - 0x80);  // the full-width ASCII row
  }
  return 0;
}

}  // namespace

namespace detail {

void FoldFullWidthInto(const char* text, char* folded) {
  const auto* in = reinterpret_cast<const unsigned char*>(text);
  std::size_t out = 0;
  while (*in != 0) {
    if (*in < 0x80) {
      folded[out++] = static_cast<char>(*in++);
      continue;
    }
    if (in[1] == 0) {
      break;  // a lead byte without its partner is dropped
    }
    if (const unsigned char ascii = FoldedPair(in[0], in[1]); ascii != 0) {
      folded[out++] = static_cast<char>(ascii);
    } else {
      folded[out++] = static_cast<char>(in[0]);
      folded[out++] = static_cast<char>(in[1]);
    }
    in += 2;
  }
  folded[out] = '\0';
}

}  // namespace detail

char* FoldFullWidth(const char* text) {
  // Folding never lengthens the text, so its own length bounds the copy.
  const std::size_t length = std::strlen(text);
  char* folded = static_cast<char*>(AllocateMemory(length + 1));
  detail::FoldFullWidthInto(text, folded);
  return folded;
}

}  // namespace tamrel
