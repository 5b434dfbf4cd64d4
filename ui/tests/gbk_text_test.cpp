#include "ui/gbk_text.h"

#include <gtest/gtest.h>

namespace tamrel::ui {
namespace {

TEST(GbkTextTest, ConvertsBothWaysWhateverTheAnsiCodePage) {
  struct Case {
    const char* gbk;
    const wchar_t* wide;
  };
  const Case cases[] = {
      {"", L""},
      {"Tamrel V1.0", L"Tamrel V1.0"},
      {"\xBC\xC6 \xCB\xE3", L"\x8BA1 \x7B97"},  // 计 算
      {"\xA6\xB8", L"\x03A9"},                  // Ω, not the ohm sign
      {"\xA3\xB1\xA3\xAE", L"\xFF11\xFF0E"},    // full-width "1."
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GbkToWide(c.gbk), c.wide);
    EXPECT_EQ(WideToGbk(c.wide), c.gbk);
  }
}

}  // namespace
}  // namespace tamrel::ui
