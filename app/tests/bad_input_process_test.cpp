// Bad input and load through the real window: a megabyte pasted into R1 of
// tamrel.exe, then the focus moved on; a thousand clicks queued at once.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/tests/main_window_test.h"
#include "app/tests/program_log.h"
#include "app/tests/program_process.h"
#include "app/tests/report_box.h"
#include "app/tests/wait_until.h"
#include "calc/decimal_normalisation.h"
#include "calc/output_voltage.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace tamrel::app::testing {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;

// Pasting a megabyte into an edit control is the platform's business and
// may take a while under Wine; the normalisation afterwards must not.
constexpr DWORD kPasteTimeoutMs = 60000;
constexpr ULONGLONG kNormalisationLimitMs = 1000;
constexpr std::size_t kMegabyte = std::size_t{1} << 20;
// Wine's edit control takes time that grows faster than the square of the
// length of a run of digits it holds (16 KiB: 0.3 s, 128 KiB: 35 s, a
// megabyte: over an hour), long before our code sees the text; arbitrary
// bytes of a megabyte it takes in a second. The digits are kept to 16 KiB,
// still a number far beyond the doubles; the core's own normalisation of a
// megabyte of digits is timed on its own.
constexpr std::size_t kDigitsPasted = std::size_t{1} << 14;
constexpr ULONGLONG kCoreNormalisationLimitMs = 100;
constexpr ULONGLONG kClicksTimeoutMs = 180000;

// The clipboard needs an owner window for SetClipboardData to keep the data.
class ClipboardOwner {
 public:
  ClipboardOwner()
      : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                nullptr)) {}
  ~ClipboardOwner() {
    if (window_ != nullptr) DestroyWindow(window_);
  }
  ClipboardOwner(const ClipboardOwner&) = delete;
  ClipboardOwner& operator=(const ClipboardOwner&) = delete;

  // `bytes` as CF_TEXT, in the ANSI code page as any program would paste it.
  bool Put(const std::string& bytes) {
    if (window_ == nullptr || !OpenClipboard(window_)) return false;
    bool done = false;
    if (EmptyClipboard()) {
      if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1)) {
        char* target = static_cast<char*>(GlobalLock(memory));
        std::memcpy(target, bytes.c_str(), bytes.size() + 1);
        GlobalUnlock(memory);
        done = SetClipboardData(CF_TEXT, memory) != nullptr;
        if (!done) GlobalFree(memory);
      }
    }
    CloseClipboard();
    return done;
  }

 private:
  HWND window_;
};

std::size_t TextLength(HWND box) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(box, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  return length;
}

// The whole text of a box, however long, as the program's GBK bytes.
std::string FullTextOf(HWND box) {
  std::wstring text(TextLength(box) + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 10000, &copied);
  text.resize(copied);
  return WideToGbkBytes(text);
}

// The length in UTF-16 units of a GBK text, as an edit control counts it.
std::size_t GbkToWideLength(const std::string& gbk) {
  if (gbk.empty()) return 0;
  return static_cast<std::size_t>(
      MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0));
}

bool Responsive(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

// What the calculator makes of the texts, straight from the core.
std::string CoreResult(const std::string& r1, const std::string& r2) {
  const OwnedText shown(FormatOutputVoltage(
      ComputeOutputVoltage(TextToNumber(r1.c_str()), TextToNumber(r2.c_str()))));
  return shown.get();
}

std::string CoreNormalised(const std::string& text) {
  const OwnedText normalised(NormaliseDecimalText(text.c_str()));
  return normalised.absent() ? std::string() : std::string(normalised.get());
}

class BadInputTest : public MainWindowTest {
 protected:
  // Pastes `bytes` over the whole text of R1, which has the focus; returns
  // what the box then holds.
  std::string PasteIntoR1(const std::string& bytes) {
    EXPECT_TRUE(clipboard_.Put(bytes));
    const std::size_t before = TextLength(boxes_[0]);
    PressKeys({VK_END});
    PressKeys({VK_SHIFT, VK_HOME});
    const ULONGLONG start = GetTickCount64();
    PressKeys({VK_CONTROL, 'V'});
    // One paste replaces the selection at once: the length jumps.
    EXPECT_TRUE(WaitUntil([&] { return TextLength(boxes_[0]) > before + 1000; }, kPasteTimeoutMs));
    // The box repaints its new text after the paste; that is the
    // platform's time, not the normalisation's.
    UpdateWindow(boxes_[0]);
    std::printf("paste of %zu bytes: %llu ms\n", bytes.size(), GetTickCount64() - start);
    return FullTextOf(boxes_[0]);
  }

  // Moves the focus from R1 to R2 and waits for R1 to show `expected`;
  // returns the time the normalisation took, as seen from outside. Only the
  // length is watched meanwhile: reading a megabyte of text back again and
  // again would slow the program down.
  ULONGLONG TabAwayExpecting(const std::string& expected) {
    const std::size_t expected_length = GbkToWideLength(expected);
    const ULONGLONG start = GetTickCount64();
    PressKeys({VK_TAB});
    EXPECT_TRUE(WaitUntil([&] {
      return program_.FocusedWindow() == boxes_[1] && TextLength(boxes_[0]) == expected_length;
    }));
    const ULONGLONG took = GetTickCount64() - start;
    const std::string shown = FullTextOf(boxes_[0]);
    EXPECT_TRUE(shown == expected) << "R1 shows " << shown.size() << " bytes starting "
                                   << shown.substr(0, 40) << ", expected " << expected;
    return took;
  }

  ClipboardOwner clipboard_;
};

TEST_F(BadInputTest, LongPastesIntoR1AreNormalisedAtOnce) {
  ASSERT_TRUE(FocusIs(boxes_[0]));
  {
    SCOPED_TRACE("16 KiB of digits: a number far beyond the doubles");
    std::string megabyte(kMegabyte, '0');
    for (std::size_t i = 0; i < megabyte.size(); ++i) {
      megabyte[i] = static_cast<char>('1' + i % 9);
    }
    const ULONGLONG core_start = GetTickCount64();
    EXPECT_EQ(CoreNormalised(megabyte), "1.#INF");
    const ULONGLONG core_took = GetTickCount64() - core_start;
    std::printf("the core's normalisation of 1 MiB of digits: %llu ms\n", core_took);
    EXPECT_LT(core_took, kCoreNormalisationLimitMs);

    const std::string digits = megabyte.substr(0, kDigitsPasted);
    ASSERT_TRUE(PasteIntoR1(digits) == digits);
    const ULONGLONG took = TabAwayExpecting("1.#INF");
    std::printf("normalisation of %zu digits: %llu ms\n", digits.size(), took);
    EXPECT_LT(took, kNormalisationLimitMs);
    EXPECT_TRUE(Responsive(window_));
  }
  {
    SCOPED_TRACE("1 MiB of arbitrary bytes");
    PressKeys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(FocusIs(boxes_[0]));
    // Without zero (it would end the text) and without CR and LF: a
    // single-line edit control pastes only what comes before a line break.
    std::mt19937 random(1117);
    std::uniform_int_distribution<int> byte(1, 253);
    std::string bytes(kMegabyte, '\0');
    for (char& c : bytes) {
      const int value = byte(random);
      c = static_cast<char>(value < '\n' ? value : value < '\r' - 1 ? value + 1 : value + 2);
    }
    const std::string held = PasteIntoR1(bytes);
    ASSERT_GT(held.size(), 1000u);
    const std::string expected = CoreNormalised(held);
    const ULONGLONG took = TabAwayExpecting(expected);
    std::printf("normalisation of 1 MiB of arbitrary bytes (%zu bytes held) to \"%s\": %llu ms\n",
                held.size(), expected.c_str(), took);
    EXPECT_LT(took, kNormalisationLimitMs);
    EXPECT_TRUE(Responsive(window_));
  }
  {
    SCOPED_TRACE("the window still calculates");
    TypeAscii("720");
    ASSERT_TRUE(WaitUntil([&] { return TextOf(boxes_[1]) == "720"; }));
    ASSERT_TRUE(ClickAt(CentreOf(button_)));
    const std::string expected = CoreResult(FullTextOf(boxes_[0]), "720");
    EXPECT_TRUE(WaitUntil([&] { return TextOf(boxes_[2]) == expected; }))
        << TextOf(boxes_[2]) << " instead of " << expected;
  }
}

// The clicks go to the test program that logs each run of the handler and
// the result it left; its heap refuses nothing. A thousand clicks are
// posted to the button at once (BM_CLICK: the button presses and releases
// itself and reports the click, the road of a mouse click from there on);
// then a few real mouse clicks are queued at once. Wine takes about a third
// of a second for each real click, so a thousand of those would take minutes.
TEST(QueuedClicksTest, AThousandClicksQueuedAtOnceAreAThousandCalculations) {
  constexpr int kPostedClicks = 1000;
  constexpr int kMouseClicks = 20;
  LogFile log;
  ProgramProcess program(L"tamrel-test-alloc-fault.exe",
                         L"--log-results --log \"" + log.path() + L"\"");
  const std::optional<MainWindowControls> controls =
      WaitUntilReadyForInput(program, kStartTimeoutMs);
  ASSERT_TRUE(controls.has_value()) << "no window with its boxes and button, ready for input";
  const HWND window = controls->window;
  const std::vector<HWND>& boxes = controls->boxes;
  const HWND button = controls->button;

  TypeAscii("330");
  PressKeys({VK_TAB});
  TypeAscii("1000");
  ASSERT_TRUE(WaitUntil([&] { return TextOf(boxes[1]) == "1000"; }));

  // Reading the whole log is not cheap: look at it now and then only.
  const auto wait_for_results = [&](std::size_t count) {
    const ULONGLONG deadline = GetTickCount64() + kClicksTimeoutMs;
    while (log.Read().results.size() < count && GetTickCount64() < deadline) {
      Sleep(250);
    }
  };

  ULONGLONG start = GetTickCount64();
  for (int i = 0; i < kPostedClicks; ++i) {
    ASSERT_TRUE(PostMessageW(button, BM_CLICK, 0, 0));
  }
  wait_for_results(kPostedClicks);
  std::printf("%d posted clicks calculated in %llu ms\n", kPostedClicks, GetTickCount64() - start);
  EXPECT_TRUE(Responsive(window));

  const POINT centre = CentreOf(button);
  ASSERT_TRUE(MoveCursorTo(centre));
  std::vector<INPUT> clicks;
  for (int i = 0; i < kMouseClicks; ++i) {
    clicks.push_back(MouseInputAt(centre, MOUSEEVENTF_LEFTDOWN));
    clicks.push_back(MouseInputAt(centre, MOUSEEVENTF_LEFTUP));
  }
  start = GetTickCount64();
  ASSERT_EQ(SendInput(static_cast<UINT>(clicks.size()), clicks.data(), sizeof(INPUT)),
            clicks.size());
  wait_for_results(kPostedClicks + kMouseClicks);
  std::printf("%d queued mouse clicks calculated in %llu ms\n", kMouseClicks,
              GetTickCount64() - start);
  Sleep(500);  // time for any calculation too many

  const ProgramLog seen = log.Read();
  EXPECT_EQ(seen.handler_runs, kPostedClicks + kMouseClicks);
  ASSERT_EQ(seen.results.size(), static_cast<std::size_t>(kPostedClicks + kMouseClicks));
  // 1.25 * (1 + 1000/330) + 0.00005 * 1000, from the core itself.
  const std::string expected = CoreResult("330", "1000");
  EXPECT_EQ(expected, "5.087878787879V");
  for (std::size_t i = 0; i < seen.results.size(); ++i) {
    ASSERT_EQ(seen.results[i], expected) << "calculation " << i + 1;
  }
  EXPECT_EQ(TextOf(boxes[2]), expected);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(10000), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace tamrel::app::testing
