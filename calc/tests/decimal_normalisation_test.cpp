#include "calc/decimal_normalisation.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/text_store.h"

namespace tamrel {
namespace {

struct NormalisationCase {
  const char* typed;
  const char* shown;  // "" for an empty box
};

std::string Normalised(const char* text) {
  const OwnedText result(NormaliseDecimalText(text));
  return result.absent() ? "" : result.get();
}

class NormalisationTable : public ::testing::TestWithParam<NormalisationCase> {};

TEST_P(NormalisationTable, RewritesTheTextOnFocusLoss) {
  EXPECT_EQ(Normalised(GetParam().typed), GetParam().shown) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    TypedAndPasted, NormalisationTable,
    ::testing::Values(
        NormalisationCase{"007", "7"}, NormalisationCase{".5", "0.5"}, NormalisationCase{"5.", "5"},
        NormalisationCase{"4.70", "4.7"},
        NormalisationCase{"0.1234567890123456", "0.1234567890123"}, NormalisationCase{"0", ""},
        NormalisationCase{"-0", ""}, NormalisationCase{"0.000", ""}, NormalisationCase{"-", ""},
        NormalisationCase{".", ""}, NormalisationCase{"--5", ""}, NormalisationCase{"", ""},
        NormalisationCase{"1.2.3", "1.2"}, NormalisationCase{"12-3", "12"},
        NormalisationCase{"10000000000000", "1e+013"}, NormalisationCase{"0.00001", "1e-005"},
        NormalisationCase{"1e999", "1.#INF"}, NormalisationCase{"1.#INF", "1"},
        NormalisationCase{"-1e999", "-1.#INF"}, NormalisationCase{"2k2", "2"},
        NormalisationCase{"abc", ""}, NormalisationCase{"240", "240"},
        // No folding here, unlike the calculation's own reading.
        NormalisationCase{"\xA3\xB1", ""}));

TEST(DecimalNormalisation, ANormalTextIsAFixedPoint) {
  for (const char* text : {"240", "5.036", "1e+013", "1e-005", "-2.5", "0.0001"}) {
    EXPECT_EQ(Normalised(text), text);
  }
}

TEST(DecimalInputCharacter, LetsThroughControlCodesSignPointAndDigits) {
  std::string passed;
  for (unsigned code = 32; code < 256; ++code) {
    if (IsDecimalInputCharacter(code)) passed += static_cast<char>(code);
  }
  EXPECT_EQ(passed, "-.0123456789");
  for (unsigned code = 0; code < 32; ++code) {
    EXPECT_TRUE(IsDecimalInputCharacter(code)) << code;
  }
}

}  // namespace
}  // namespace tamrel
