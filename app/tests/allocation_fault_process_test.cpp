// Storage that runs out anywhere on the road of one calculation. The test
// program's heap refuses the 1st request of the process in the first run,
// the 2nd in the second, and so on, while the test drives the road through
// the real window (type R1, Tab, type R2, click 计 算, close), until a run
// gets through without a refusal. Every other run must end in one error
// report naming the size that was refused, run no handler after it, skip
// the at-exit routine and end with exit status -1.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/tests/program_log.h"
#include "app/tests/program_process.h"
#include "app/tests/report_box.h"
#include "app/tests/wait_until.h"

namespace tamrel::app::testing {
namespace {

constexpr DWORD kStepTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
// How long a click that must not reach a handler is given to do so anyway.
constexpr DWORD kNoEffectMs = 500;
// Far more than the road needs; a run past it means the refusals never end.
constexpr unsigned kMostRequests = 64;

// One run of the program along the road, stopping where a report appears.
class RoadRun {
 public:
  explicit RoadRun(unsigned fail_at)
      : program_(L"tamrel-test-alloc-fault.exe",
                 L"--fail-at " + std::to_wstring(fail_at) + L" --log \"" + log_.path() + L"\"") {}

  // Drives the road; true when it got to the end without a report.
  bool Drive() {
    if (!program_.started()) {
      ADD_FAILURE() << "the test program did not start";
      return false;
    }
    if (!Await([&] { return (window_ = program_.FindMainWindow()) != nullptr; })) {
      return false;
    }
    const std::optional<MainWindowControls> controls = ControlsOf(window_);
    if (!controls) {
      ADD_FAILURE() << "the window lacks its controls";
      return false;
    }
    boxes_ = controls->boxes;
    button_ = controls->button;
    if (!Await([&] { return program_.ReadyForInput(window_); })) return false;
    TypeAscii("240");
    if (!Await([&] { return TextOf(boxes_[0]) == "240"; })) return false;
    PressKeys({VK_TAB});  // R1 loses the focus and is normalised
    if (!Await([&] { return program_.FocusedWindow() == boxes_[1]; })) return false;
    TypeAscii("720");
    if (!Await([&] { return TextOf(boxes_[1]) == "720"; })) return false;
    ClickAt(CentreOf(button_));  // R2 normalised, then the calculation
    if (!Await([&] { return TextOf(boxes_[2]) == "5.036V"; })) return false;
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return Await([&] { return program_.WaitForExit(0).has_value(); });
  }

  // Checks a run that ended in a report: one box with the refused size, no
  // handler afterwards, no at-exit routine, exit status -1.
  void CheckReport() {
    ASSERT_NE(report_, nullptr) << "the run ended without a report";
    const ProgramLog before_click = log_.Read();
    ASSERT_TRUE(before_click.refused.has_value()) << "a report without a refusal";
    EXPECT_EQ(ReadCaption(report_), kExpectedReportCaption);
    EXPECT_EQ(ReadReportText(report_),
              ExpectedReportText(ExpectedAllocationMessage(std::to_string(*before_click.refused))));
    EXPECT_EQ(GetWindow(report_, GW_OWNER), nullptr);

    if (window_ != nullptr && IsWindow(button_)) {
      // The window is still there and takes the click, but no handler runs.
      ClickAt(CentreOf(button_));
      Sleep(kNoEffectMs);
    }
    EXPECT_EQ(FindReportBox(program_.id()), report_);
    EXPECT_EQ(ReportBoxCount(), 1);
    // Nothing else appeared: no second box, no message of the runtime.
    for (const HWND shown : VisibleTopLevelWindowsOf(program_.id())) {
      EXPECT_TRUE(shown == report_ || shown == window_)
          << "an unexpected window: " << TextOf(shown);
    }
    CloseReportBox(report_);
    EXPECT_EQ(program_.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0xFFFFFFFFu));

    const ProgramLog log = log_.Read();
    EXPECT_EQ(log.handler_runs_after_refusal, 0);
    EXPECT_FALSE(log.at_exit);
  }

  HWND report() const { return report_; }
  ProgramLog log() const { return log_.Read(); }
  std::optional<DWORD> WaitForExit() const { return program_.WaitForExit(kExitTimeoutMs); }

 private:
  // Waits for `effect` or for a report box; false (with the box noted) when
  // the box came first or the effect never did.
  template <typename Effect>
  bool Await(Effect effect) {
    const bool done =
        WaitUntil([&] { return (report_ = FindReportBox(program_.id())) != nullptr || effect(); },
                  kStepTimeoutMs);
    if (report_ != nullptr) return false;
    if (!done) ADD_FAILURE() << "a step of the road had no effect and no report came";
    return done;
  }

  int ReportBoxCount() const {
    int count = 0;
    for (const HWND window : VisibleTopLevelWindowsOf(program_.id())) {
      count += ReadCaption(window) == kExpectedReportCaption ? 1 : 0;
    }
    return count;
  }

  LogFile log_;
  ProgramProcess program_;
  HWND window_ = nullptr;
  std::vector<HWND> boxes_;
  HWND button_ = nullptr;
  HWND report_ = nullptr;
};

TEST(AllocationFaultTest, EachRequestOfTheRoadFailsOnceAndEndsInOneReport) {
  std::vector<std::size_t> refused_sizes;
  std::optional<ProgramLog> complete;
  for (unsigned fail_at = 1; fail_at <= kMostRequests && !complete; ++fail_at) {
    SCOPED_TRACE("request " + std::to_string(fail_at) + " refused");
    RoadRun run(fail_at);
    const bool through = run.Drive();
    ASSERT_FALSE(::testing::Test::HasFailure());
    const ProgramLog log = run.log();
    if (through) {
      ASSERT_FALSE(log.refused.has_value()) << "the road went on after a refusal";
      EXPECT_EQ(run.WaitForExit(), std::optional<DWORD>(0));
      EXPECT_TRUE(log.at_exit);
      EXPECT_EQ(log.handler_runs, 1);
      EXPECT_EQ(log.requests.size(), fail_at - 1);
      complete = log;
    } else {
      run.CheckReport();
      ASSERT_FALSE(::testing::Test::HasFailure());
      refused_sizes.push_back(*run.log().refused);
    }
  }
  ASSERT_TRUE(complete.has_value()) << "every run was refused storage";
  std::string sizes;
  for (const std::size_t size : complete->requests) {
    sizes += ' ';
    sizes += std::to_string(size);
  }
  std::printf("the road asked for storage %zu times, sizes:%s\n", complete->requests.size(),
              sizes.c_str());
  // The calculation needs storage, so some runs failed; each refused
  // request is the one of the same number on the complete road.
  EXPECT_GE(refused_sizes.size(), 3u);
  EXPECT_EQ(refused_sizes, complete->requests);
}

}  // namespace
}  // namespace tamrel::app::testing
