#include "calc/text_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "calc/constant_block.h"

namespace tamrel {
namespace {

// A heap that counts and can be told to fail, swapped in for one test.
struct CountingHeap {
  static inline int allocations = 0;
  static inline int releases = 0;
  static inline bool exhausted = false;
  static void* Allocate(std::size_t size) {
    if (exhausted) return nullptr;
    ++allocations;
    return std::malloc(size);
  }
  static void Release(void* block) {
    ++releases;
    std::free(block);
  }
};

struct Exhausted {
  std::size_t size;
};

[[noreturn]] void ThrowExhausted(std::size_t size) { throw Exhausted{size}; }

class TextStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = CurrentHeap();
    CountingHeap::allocations = CountingHeap::releases = 0;
    CountingHeap::exhausted = false;
    UseHeap({CountingHeap::Allocate, CountingHeap::Release});
  }
  void TearDown() override {
    UseHeap(saved_);
    SetAllocationFailureHandler(nullptr);
  }

 private:
  Heap saved_{};
};

TEST_F(TextStoreTest, ReleasingNothingOrAConstantDoesNothing) {
  ReleaseMemory(nullptr);
  ReleaseMemory(EmptyText());
  ReleaseMemory(UnitText());
  ReleaseMemory(&kConstantBlock.adjust_pin_current);
  EXPECT_EQ(CountingHeap::releases, 0);
}

TEST_F(TextStoreTest, ReleasingABlockGivesItBack) {
  void* block = AllocateMemory(20);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(CountingHeap::allocations, 1);
  ReleaseMemory(block);
  EXPECT_EQ(CountingHeap::releases, 1);
}

TEST_F(TextStoreTest, ConstantRangeEndsWhereTheBlockEnds) {
  const auto* begin = reinterpret_cast<const char*>(&kConstantBlock);
  EXPECT_TRUE(IsInConstantBlock(begin));
  EXPECT_TRUE(IsInConstantBlock(begin + sizeof kConstantBlock - 1));
  EXPECT_FALSE(IsInConstantBlock(begin + sizeof kConstantBlock));
  const char on_the_stack[4] = "abc";
  EXPECT_FALSE(IsInConstantBlock(on_the_stack));
}

TEST_F(TextStoreTest, ExhaustionCallsTheHandlerWithTheSizeAsked) {
  SetAllocationFailureHandler(ThrowExhausted);
  CountingHeap::exhausted = true;
  try {
    AllocateMemory(20);
    FAIL() << "an exhausted heap handed out a block";
  } catch (const Exhausted& e) {
    EXPECT_EQ(e.size, 20u);
  }
}

TEST_F(TextStoreTest, OwnedTextReleasesExactlyOnce) {
  {
    OwnedText first(CopyText("240", 3));
    EXPECT_STREQ(first.get(), "240");
    OwnedText second(std::move(first));
    EXPECT_TRUE(first.absent());
    OwnedText third;
    third = std::move(second);
    EXPECT_STREQ(third.get(), "240");
  }
  EXPECT_EQ(CountingHeap::allocations, 1);
  EXPECT_EQ(CountingHeap::releases, 1);
}

TEST_F(TextStoreTest, CopyTextMakesABlockOfLengthPlusOne) {
  std::vector<std::size_t> sizes;
  static std::vector<std::size_t>* seen = nullptr;
  seen = &sizes;
  UseHeap({[](std::size_t size) -> void* {
             seen->push_back(size);
             return std::malloc(size);
           },
           std::free});
  const OwnedText empty(CopyText("", 0));
  const OwnedText five(CopyText("5.036V", 6));
  EXPECT_STREQ(empty.get(), "");
  EXPECT_STREQ(five.get(), "5.036V");
  EXPECT_EQ(sizes, (std::vector<std::size_t>{1, 7}));
}

}  // namespace
}  // namespace tamrel
