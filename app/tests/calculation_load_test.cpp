// A hundred thousand calculations (by default thirty thousand, see below)
// with random texts in R1 and R2, through
// the frame and the real window in this process: each result is the core's
// own for the texts the boxes held, the text store holds as many blocks
// afterwards as before (the test heap counts them), and the process's
// memory stays flat.
#include <gtest/gtest.h>
#include <windows.h>
// psapi.h needs the types of windows.h.
#include <psapi.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/frame.h"
#include "app/tests/frame_fixture.h"
#include "calc/main_window_ids.h"
#include "calc/number_to_text.h"
#include "calc/output_voltage.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace tamrel::app::testing {
namespace {

constexpr int kWarmUp = 2000;
// Under Wine a calculation through the window takes about 2 ms, most of it
// the edit controls' own; tools/test runs 30,000. The full hundred thousand:
//   TAMREL_LOAD_CALCULATIONS=100000 ctest --preset windows -R tamrel_load_tests
constexpr int kDefaultCalculations = 30000;

int Calculations() {
  char value[16] = {};
  const DWORD length = GetEnvironmentVariableA("TAMREL_LOAD_CALCULATIONS", value, sizeof(value));
  const int count = length > 0 && length < sizeof(value) ? std::atoi(value) : 0;
  return count > 0 ? count : kDefaultCalculations;
}
// The heap may keep a little more for itself; a leak of one block per
// calculation would be megabytes.
constexpr SIZE_T kMostGrowth = SIZE_T{1} << 20;

// R1 and R2 texts of every kind: as the boxes normalise them, as typed
// (digits, "-", "."), with exponents, and arbitrary bytes.
class RandomTexts {
 public:
  std::string Next() {
    switch (Pick(5)) {
      case 0:
        return "";
      case 1:
        return Spelled(std::bit_cast<double>(random_()));
      case 2:
        return Spelled(static_cast<double>(Pick(100000)) / (1 + Pick(1000)));
      case 3:
        return Typed();
      default:
        return Arbitrary();
    }
  }

 private:
  std::uint64_t Pick(std::uint64_t n) { return random_() % n; }

  static std::string Spelled(double value) {
    const OwnedText text(NumberToText(value));
    return text.get();
  }

  std::string Typed() {
    static constexpr char kTyped[] = "0123456789.-e";
    std::string text;
    for (std::uint64_t n = Pick(24); n > 0; --n) text += kTyped[Pick(sizeof(kTyped) - 1)];
    return text;
  }

  std::string Arbitrary() {
    std::string text;
    for (std::uint64_t n = Pick(24); n > 0; --n) text += static_cast<char>(1 + Pick(255));
    return text;
  }

  std::mt19937_64 random_{1117};
};

SIZE_T WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters.WorkingSetSize;
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters.PagefileUsage;
}

int LiveBlocks() { return TestHeap().allocations - TestHeap().releases; }

class CalculationLoadTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    MakeFrame(ProgramSetup()).InitializeFrame();
    ASSERT_TRUE(frame().LoadWindow(kMainWindow, std::nullopt, false));
  }

  std::string Read(ControlId box) {
    const OwnedText text(
        frame().properties().ReadProperty(kMainWindow, box, kContentProperty, kWholeProperty));
    return text.absent() ? std::string() : std::string(text.get());
  }
  void Write(ControlId box, const std::string& text) {
    frame().properties().WriteProperty(kMainWindow, box, kContentProperty, kWholeProperty,
                                       text.c_str());
  }

  // One click with fresh texts; false (with a failure) when the result is
  // not the core's for what the boxes held.
  bool CalculateOnce() {
    Write(kEditBox1, texts_.Next());
    Write(kEditBox2, texts_.Next());
    SendMessageW(Control(kButton1), BM_CLICK, 0, 0);
    // What the boxes held, read back: arbitrary bytes come back as the
    // platform converted them.
    const std::string r1 = Read(kEditBox1);
    const std::string r2 = Read(kEditBox2);
    const OwnedText core(FormatOutputVoltage(
        ComputeOutputVoltage(TextToNumber(r1.c_str()), TextToNumber(r2.c_str()))));
    const std::string shown = Read(kEditBox3);
    if (shown != core.get()) {
      ADD_FAILURE() << "R1 \"" << r1 << "\", R2 \"" << r2 << "\": shown " << shown
                    << ", the core gives " << core.get();
      return false;
    }
    return true;
  }

  // The messages the boxes and the button posted themselves meanwhile.
  static void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  RandomTexts texts_;
};

TEST_F(CalculationLoadTest, ManyCalculationsLeaveNoBlockBehindAndMemoryFlat) {
  for (int i = 0; i < kWarmUp; ++i) {
    ASSERT_TRUE(CalculateOnce());
    if (i % 100 == 0) Pump();
  }
  Pump();
  const int blocks_before = LiveBlocks();
  const int allocations_before = TestHeap().allocations;
  const SIZE_T working_set_before = WorkingSet();
  const SIZE_T private_before = PrivateBytes();
  const ULONGLONG start = GetTickCount64();

  const int calculations = Calculations();
  for (int i = 0; i < calculations; ++i) {
    ASSERT_TRUE(CalculateOnce()) << "calculation " << i + 1;
    if (i % 100 == 0) Pump();
  }
  Pump();

  const ULONGLONG took = GetTickCount64() - start;
  const SIZE_T working_set_after = WorkingSet();
  const SIZE_T private_after = PrivateBytes();
  std::printf(
      "%d calculations in %llu ms, %d blocks asked for; blocks held %d before, %d after; "
      "working set %lu KiB before, %lu KiB after; private %lu KiB before, %lu KiB after\n",
      calculations, took, TestHeap().allocations - allocations_before, blocks_before, LiveBlocks(),
      static_cast<unsigned long>(working_set_before >> 10),
      static_cast<unsigned long>(working_set_after >> 10),
      static_cast<unsigned long>(private_before >> 10),
      static_cast<unsigned long>(private_after >> 10));
  // Every calculation asked for blocks, and gave them all back.
  EXPECT_GT(TestHeap().allocations - allocations_before, calculations);
  EXPECT_LE(LiveBlocks(), blocks_before);
  EXPECT_LT(working_set_after, working_set_before + kMostGrowth);
  EXPECT_LT(private_after, private_before + kMostGrowth);
}

}  // namespace
}  // namespace tamrel::app::testing
