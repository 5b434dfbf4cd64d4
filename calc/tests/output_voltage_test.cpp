#include "calc/output_voltage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bits.h"
#include "calc/constant_block.h"
#include "calc/extended_precision.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace tamrel {
namespace {

using testing_support::FromBits;
using testing_support::HexOf;

struct VoltageCase {
  const char* r1;
  const char* r2;
  const char* result;
};

std::string ResultFor(const char* r1, const char* r2) {
  const double vout = ComputeOutputVoltage(TextToNumber(r1), TextToNumber(r2));
  const OwnedText text(FormatOutputVoltage(vout));
  return text.get();
}

class OutputVoltageTable : public ::testing::TestWithParam<VoltageCase> {};

TEST_P(OutputVoltageTable, GivesTheResultText) {
  EXPECT_EQ(ResultFor(GetParam().r1, GetParam().r2), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    FromTheTwoBoxes, OutputVoltageTable,
    ::testing::Values(VoltageCase{"240", "720", "5.036V"}, VoltageCase{"120", "360", "5.018V"},
                      VoltageCase{"330", "1000", "5.087878787879V"},
                      VoltageCase{"1000", "1", "1.2513V"},
                      VoltageCase{"4.7", "240", "65.09178723404V"}, VoltageCase{"1", "0", "1.25V"},
                      VoltageCase{"1", "", "1.25V"}, VoltageCase{"240", "-720", "-2.536V"},
                      VoltageCase{"1", "1e13", "1.25005e+013V"}, VoltageCase{"", "720", "1.#INFV"},
                      VoltageCase{"0", "720", "1.#INFV"}, VoltageCase{"0", "-720", "-1.#INFV"},
                      VoltageCase{"", "", "-1.#INDV"}, VoltageCase{"0", "0", "-1.#INDV"},
                      VoltageCase{"1.#INF", "720", "901.286V"},
                      VoltageCase{"1", "1e300", "1.25005e+300V"}));

TEST(ComputeOutputVoltage, GivesTheValuesOfEachStep) {
  EXPECT_EQ(HexOf(ComputeOutputVoltage(240, 720)), HexOf(5.036));
  EXPECT_EQ(HexOf(ComputeOutputVoltage(330, 1000)), HexOf(5.087878787878788));
  EXPECT_EQ(HexOf(ComputeOutputVoltage(1, 1e13)), HexOf(12500500000001.25));
  EXPECT_EQ(HexOf(ComputeOutputVoltage(0, 0)), "FFF8000000000000");
}

// The answer must not depend on the precision the caller's control word
// selects: a library or driver may have left the unit at 53 bits.
class UnderControlWord : public ::testing::TestWithParam<std::uint16_t> {
 protected:
  void SetUp() override {
    saved_ = detail::ReadX87ControlWord();
    detail::WriteX87ControlWord(GetParam());
  }
  void TearDown() override { detail::WriteX87ControlWord(saved_); }

 private:
  std::uint16_t saved_ = 0;
};

TEST_P(UnderControlWord, RoundsEveryStepTwice) {
  // With R1 = -R2 the divider term vanishes and Vout is R2 * 0.00005 alone.
  // For 3237 a 64-bit significand first, then a double, gives the double
  // 0.16185, where a single rounding would give 0.16185000000000002.
  EXPECT_EQ(HexOf(ComputeOutputVoltage(-3237, 3237)), HexOf(0.16185));
  EXPECT_NE(HexOf(3237 * 0.00005), HexOf(0.16185)) << "the single rounding differs";
  EXPECT_EQ(HexOf(ComputeOutputVoltage(240, 720)), HexOf(5.036));
  EXPECT_EQ(HexOf(ComputeOutputVoltage(330, 1000)), HexOf(5.087878787878788));
  EXPECT_EQ(HexOf(ComputeOutputVoltage(0, 0)), "FFF8000000000000");
}

TEST_P(UnderControlWord, LeavesTheCallersControlWordAlone) {
  ComputeOutputVoltage(240, 720);
  EXPECT_EQ(detail::ReadX87ControlWord(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(PrecisionSettings, UnderControlWord,
                         ::testing::Values(std::uint16_t{0x037F}, std::uint16_t{0x027F},
                                           std::uint16_t{0x007F}, std::uint16_t{0x0F7F}));

TEST(ConcatText, JoinsPartsAndCountsAbsentOnesAsEmpty) {
  const OwnedText joined(ConcatText({"5.036", UnitText()}));
  EXPECT_STREQ(joined.get(), "5.036V");
  const OwnedText unit_only(ConcatText({nullptr, UnitText()}));
  EXPECT_STREQ(unit_only.get(), "V");
  const OwnedText nothing(ConcatText({nullptr, nullptr}));
  ASSERT_NE(nothing.get(), nullptr);
  EXPECT_STREQ(nothing.get(), "");
  EXPECT_NE(nothing.get(), EmptyText());  // a block of its own, not the constant
  const OwnedText three(ConcatText({"a", "", "bc"}));
  EXPECT_STREQ(three.get(), "abc");
}

TEST(ConstantBlock, HoldsTheConstantsBitForBit) {
  EXPECT_EQ(HexOf(kConstantBlock.one), "3FF0000000000000");
  EXPECT_EQ(HexOf(kConstantBlock.reference_voltage), "3FF4000000000000");
  EXPECT_EQ(HexOf(kConstantBlock.adjust_pin_current), "3F0A36E2EB1C432D");
  EXPECT_STREQ(EmptyText(), "");
  EXPECT_STREQ(UnitText(), "V");
}

}  // namespace
}  // namespace tamrel
