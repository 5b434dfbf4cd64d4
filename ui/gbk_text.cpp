// Texts go to the platform through its UTF-16 interfaces, converted from code
// page 936, rather than as GBK bytes to the ANSI interfaces: where the ANSI
// code page is 936 both show the same, and elsewhere the captions still read
// right instead of turning into mojibake.
#include "ui/gbk_text.h"

#include <windows.h>

namespace tamrel::ui {
namespace {

constexpr UINT kGbkCodePage = 936;

}  // namespace

std::wstring GbkToWide(std::string_view gbk) {
  if (gbk.empty()) return {};
  const int size = static_cast<int>(gbk.size());
  const int length = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, wide.data(), length);
  return wide;
}

std::string WideToGbk(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(kGbkCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string gbk(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, wide.data(), size, gbk.data(), length, nullptr, nullptr);
  return gbk;
}

}  // namespace tamrel::ui
