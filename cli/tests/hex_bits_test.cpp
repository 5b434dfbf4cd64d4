#include "cli/hex_bits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tamrel::cli {
namespace {

using namespace std::string_literals;

TEST(HexBitsTest, ReadsExactlySixteenDigitsOfEitherCase) {
  struct Case {
    const char* text;
    std::uint64_t bits;
  };
  const Case kValid[] = {
      {"7FF8000000000000", 0x7FF8000000000000},
      {"fff8000000000000", 0xFFF8000000000000},
      {"0123456789abcdef", 0x0123456789ABCDEF},
      {"FEDCBA9876543210", 0xFEDCBA9876543210},
      {"0000000000000000", 0},
      {"FfFfFfFfFfFfFfFf", 0xFFFFFFFFFFFFFFFF},
  };
  for (const Case& c : kValid) EXPECT_EQ(ReadBits(c.text), c.bits) << c.text;
}

TEST(HexBitsTest, RefusesAnythingElse) {
  const std::string kInvalid[] = {
      "",
      "7FF800000000000",    // 15 digits
      "7FF80000000000000",  // 17 digits
      "0x7FF8000000000000",
      "0x7FF80000000000",  // 16 characters with a prefix
      " 7FF800000000000",
      "7FF800000000000 ",
      "7FF800000000000\r",
      "7FF800000000000g",
      "-7FF800000000000",
      "+7FF800000000000",
      "7FF8000\x00"
      "00000000"s,
      "\xA3\xB7"
      "FF800000000000",  // a full-width digit is no digit here
  };
  for (const std::string& text : kInvalid) EXPECT_EQ(ReadBits(text), std::nullopt) << text;
}

TEST(HexBitsTest, WritesSixteenUpperCaseDigits) {
  const std::uint64_t kValues[] = {0, 0x3FF8000000000000, 0xFFF8000000000000, 0x0123456789ABCDEF,
                                   0xFFFFFFFFFFFFFFFF};
  const char* const kTexts[] = {"0000000000000000", "3FF8000000000000", "FFF8000000000000",
                                "0123456789ABCDEF", "FFFFFFFFFFFFFFFF"};
  for (std::size_t i = 0; i < std::size(kValues); ++i) {
    std::string text = "x";
    AppendBits(kValues[i], text);
    EXPECT_EQ(text, std::string("x") + kTexts[i]);
    EXPECT_EQ(ReadBits(text.substr(1)), kValues[i]) << "reads back";
  }
}

}  // namespace
}  // namespace tamrel::cli
