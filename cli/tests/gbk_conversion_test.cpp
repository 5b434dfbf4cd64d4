#include "cli/gbk_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace tamrel::cli {
namespace {

using namespace std::string_literals;

struct ConversionCase {
  const char* name;
  std::string utf8;
  std::string gbk;
};

// The same table runs natively (iconv) and under Wine (code page 936), so it
// also shows that the two platforms' tables agree on these characters.
const ConversionCase kConversions[] = {
    {"ASCII passes", "240\t-7.2e+3 \r", "240\t-7.2e+3 \r"},
    {"empty", "", ""},
    {"full-width digits and point", "\uFF11\uFF0E\uFF15", "\xA3\xB1\xA3\xAE\xA3\xB5"},
    {"ideographic space",
     "\u3000"
     "240",
     "\xA1\xA1"
     "240"},
    {"Chinese text", "\u8BA1 \u7B97", "\xBC\xC6 \xCB\xE3"},
    {"ohm sign written as Greek omega", "240\u03A9", "240\xA6\xB8"},
    {"euro sign is the one-byte 80", "\u20AC", "\x80"},
    {"middle dot is A1A4 as on Windows", "\u00B7", "\xA1\xA4"},
    {"em dash", "\u2014", "\xA1\xAA"},
    {"horizontal bar", "\u2015", "\xA8\x44"},
    {"full-width yen sign", "\uFFE5", "\xA3\xA4"},
    {"pinyin letter that GBK has", "\u00E9", "\xA8\xA6"},
    {"katakana middle dot that GBK lacks", "\u30FB", "?"},
    {"Hangul that GBK lacks, then a digit",
     "\uD55C"
     "5",
     "?5"},
    {"C1 control", "\u0080", "?"},
    {"replacement character", "\uFFFD", "?"},
    {"private use, mapped on Windows only", "\uE000\uF8F5", "??"},
    {"beyond the basic plane is one ?",
     "1\U0001F600"
     "2",
     "1?2"},
    {"largest code point", "\U0010FFFF", "?"},
};

TEST(GbkConversionTest, Utf8BecomesGbk) {
  GbkEncoder encoder;
  for (int round = 0; round < 2; ++round) {  // the second round answers from the cache
    for (const ConversionCase& c : kConversions) {
      SCOPED_TRACE(c.name);
      std::string gbk = "stale";
      ASSERT_TRUE(DecodeOperand(c.utf8, OperandDecoding::kUtf8, encoder, gbk));
      EXPECT_EQ(gbk, c.gbk);
    }
  }
}

TEST(GbkConversionTest, InvalidUtf8IsRefused) {
  const std::string kInvalid[] = {
      "\x80",  // continuation without a lead
      "1\xBF",
      "\xC0\x80",          // two-byte form of U+0000
      "\xC1\xBF",          // two-byte form of U+007F
      "\xE0\x80\xAF",      // three-byte form of "/"
      "\xF0\x80\x80\xAF",  // four-byte form of "/"
      "\xED\xA0\x80",      // a surrogate half
      "\xED\xBF\xBF",
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xF5\x80\x80\x80",
      "\xFF",
      "\xE8\xAE",  // cut short at the end
      "\xE8\xAE"
      "1",         // cut short by an ASCII byte
      "\xA3\xB1",  // GBK bytes given without --gbk
  };
  GbkEncoder encoder;
  for (const std::string& bytes : kInvalid) {
    std::string gbk;
    EXPECT_FALSE(DecodeOperand(bytes, OperandDecoding::kUtf8, encoder, gbk)) << bytes;
  }
}

TEST(GbkConversionTest, GbkBytesAreTakenAsTheyAre) {
  GbkEncoder encoder;
  const std::string bytes = "\xA3\xB1\xA3\xAE\xA3\xB5\xFF\x80\x00\r"s;
  std::string gbk;
  ASSERT_TRUE(DecodeOperand(bytes, OperandDecoding::kGbkAsIs, encoder, gbk));
  EXPECT_EQ(gbk, bytes);
}

struct Utf16Case {
  const char* name;
  std::u16string utf16;
  std::string utf8;
  std::string gbk;  // after kUnicodeToGbk
  bool valid_utf8;  // whether kUtf8 accepts the UTF-8 form
};

const Utf16Case kUtf16Cases[] = {
    {"ASCII", u"240 \"x\"", "240 \"x\"", "240 \"x\"", true},
    {"basic plane", u"\uFF11\u8BA1", "\uFF11\u8BA1", "\xA3\xB1\xBC\xC6", true},
    {"surrogate pair", u"1\U0001F600", "1\U0001F600", "1?", true},
    {"lone high half",
     u"1\xD83D"
     "2",
     "1\xED\xA0\xBD"
     "2",
     "1?2", false},
    {"lone low half at the end", u"1\xDE00", "1\xED\xB8\x80", "1?", false},
    {"halves in the wrong order", u"\xDE00\xD83D", "\xED\xB8\x80\xED\xA0\xBD", "??", false},
};

TEST(GbkConversionTest, Utf16CommandLineBecomesGbk) {
  GbkEncoder encoder;
  for (const Utf16Case& c : kUtf16Cases) {
    SCOPED_TRACE(c.name);
    const std::string utf8 = Utf16ToUtf8(c.utf16);
    EXPECT_EQ(utf8, c.utf8);
    std::string gbk;
    ASSERT_TRUE(DecodeOperand(utf8, OperandDecoding::kUnicodeToGbk, encoder, gbk));
    EXPECT_EQ(gbk, c.gbk);
    EXPECT_EQ(DecodeOperand(utf8, OperandDecoding::kUtf8, encoder, gbk), c.valid_utf8);
  }
}

}  // namespace
}  // namespace tamrel::cli
