#include "app/gbk_text.h"

#include <windows.h>

namespace tamrel::app {
namespace {

constexpr UINT kGbkCodePage = 936;

}  // namespace

void GbkToWide(const char* text, wchar_t* out, std::size_t capacity) {
  if (capacity == 0) {
    return;
  }
  if (MultiByteToWideChar(kGbkCodePage, 0, text, -1, out, static_cast<int>(capacity)) == 0) {
    out[0] = L'\0';
  }
}

std::size_t GbkPrefixLength(const char* text, std::size_t limit) {
  std::size_t length = 0;
  while (text[length] != '\0') {
    const bool lead =
        IsDBCSLeadByteEx(kGbkCodePage, static_cast<BYTE>(text[length])) && text[length + 1] != '\0';
    const std::size_t next = length + (lead ? 2 : 1);
    if (next > limit) {
      break;
    }
    length = next;
  }
  return length;
}

}  // namespace tamrel::app
