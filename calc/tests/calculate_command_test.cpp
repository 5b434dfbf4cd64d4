#include "calc/calculate_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "calc/constant_block.h"
#include "calc/main_window_ids.h"
#include "calc/text_store.h"

namespace tamrel {
namespace {

// Edit boxes kept as strings; every access is written down in order.
class FakeWindow : public PropertyAccess {
 public:
  struct Access {
    bool write;
    WindowId window;
    ControlId control;
    std::int32_t property;
    std::int32_t part;
    const char* passed;  // the pointer a write was given
    std::string text;
  };

  std::map<ControlId, std::string> boxes;
  std::vector<Access> log;

  char* ReadProperty(WindowId window, ControlId control, std::int32_t property,
                     std::int32_t part) override {
    const std::string& text = boxes[control];
    log.push_back({false, window, control, property, part, nullptr, text});
    return text.empty() ? nullptr : CopyText(text.data(), text.size());
  }

  void WriteProperty(WindowId window, ControlId control, std::int32_t property, std::int32_t part,
                     const char* value) override {
    boxes[control] = value != nullptr ? value : "";
    log.push_back({true, window, control, property, part, value, boxes[control]});
  }
};

// Counts live blocks, so a leak of a read or made text shows.
struct LiveBlocks {
  static inline int count = 0;
  static void* Allocate(std::size_t size) {
    ++count;
    return std::malloc(size);
  }
  static void Release(void* block) {
    --count;
    std::free(block);
  }
};

class CalculateCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = CurrentHeap();
    LiveBlocks::count = 0;
    UseHeap({LiveBlocks::Allocate, LiveBlocks::Release});
  }
  void TearDown() override { UseHeap(saved_); }

  std::string Calculate(const std::string& r1, const std::string& r2) {
    window_.boxes[kEditBox1] = r1;
    window_.boxes[kEditBox2] = r2;
    window_.log.clear();
    OnCalculateClicked(window_);
    return window_.boxes[kEditBox3];
  }

  FakeWindow window_;

 private:
  Heap saved_{};
};

TEST_F(CalculateCommandTest, EmptiesReadsComputesAndWritesInThatOrder) {
  EXPECT_EQ(Calculate("240", "720"), "5.036V");
  ASSERT_EQ(window_.log.size(), 4u);
  const auto& log = window_.log;
  EXPECT_TRUE(log[0].write);
  EXPECT_EQ(log[0].control, kEditBox3);
  EXPECT_EQ(log[0].passed, EmptyText()) << "the constant itself, not a copy";
  EXPECT_FALSE(log[1].write);
  EXPECT_EQ(log[1].control, kEditBox1);
  EXPECT_FALSE(log[2].write);
  EXPECT_EQ(log[2].control, kEditBox2);
  EXPECT_TRUE(log[3].write);
  EXPECT_EQ(log[3].control, kEditBox3);
  EXPECT_EQ(log[3].text, "5.036V");
  for (const auto& access : log) {
    EXPECT_EQ(access.window, kMainWindow);
    EXPECT_EQ(access.property, kContentProperty);
    EXPECT_EQ(access.part, kWholeProperty);
  }
}

TEST_F(CalculateCommandTest, ReleasesEveryTextItReadOrMade) {
  Calculate("240", "720");
  Calculate("", "");
  Calculate("1e999", "-5");
  EXPECT_EQ(LiveBlocks::count, 0);
}

struct CalculationCase {
  const char* r1;
  const char* r2;
  const char* result;
};

class CalculateCommandTable : public CalculateCommandTest,
                              public ::testing::WithParamInterface<CalculationCase> {};

TEST_P(CalculateCommandTable, ShowsTheResultWithItsUnit) {
  EXPECT_EQ(Calculate(GetParam().r1, GetParam().r2), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    BoxContents, CalculateCommandTable,
    ::testing::Values(CalculationCase{"240", "720", "5.036V"}, CalculationCase{"", "", "-1.#INDV"},
                      CalculationCase{"", "720", "1.#INFV"}, CalculationCase{"240", "", "1.25V"},
                      CalculationCase{"240", "1.2", "1.25631V"},
                      // Texts the boxes never hold after normalisation are
                      // still read, full-width forms folded.
                      CalculationCase{"\xA3\xB2\xA3\xB4\xA3\xB0", "720", "5.036V"},
                      CalculationCase{"4.7k", "240", "65.09178723404V"}));

TEST_F(CalculateCommandTest, ThePreviousResultNeverCounts) {
  const std::string first = Calculate("330", "1000");
  window_.boxes[kEditBox3] = "999V";
  EXPECT_EQ(Calculate("330", "1000"), first);
  for (const auto& access : window_.log) {
    EXPECT_FALSE(!access.write && access.control == kEditBox3) << "the result box is never read";
  }
}

}  // namespace
}  // namespace tamrel
