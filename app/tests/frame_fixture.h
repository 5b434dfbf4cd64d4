// A frame of our own per test, built from the real frame code with single
// parts of its setup replaced: a probe handler that logs what reaches it, a
// heap that counts or refuses, and an end of the process that only unwinds
// back into the test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/frame.h"
#include "ui/window_description.h"

namespace tamrel::app::testing {

// Thrown by the test's replacement of the report's final exit.
struct ProcessEnded {
  unsigned exit_status;
};

struct ProbeCall {
  ui::EventRecord record;
  int depth;         // 1 for a call from the loop, 2 for one nested inside another
  bool window_open;  // the frame saw MainWindow as open at the time
  int suppression_count;
};

// What the probe did; reset by each fixture.
struct ProbeLog {
  std::vector<ProbeCall> calls;
  int depth = 0;
  // Run by the probe on each call, after logging it, inside the handler.
  void (*action)(AppFrame& frame, const ui::EventRecord& record) = nullptr;
  int at_exit_calls = 0;
  void (*at_exit_action)(AppFrame& frame) = nullptr;
};
ProbeLog& Probe();

// Heap bookkeeping of the test heap.
struct HeapLog {
  int allocations = 0;
  int releases = 0;
  std::size_t refused_size = static_cast<std::size_t>(-1);  // this size gets no block
};
HeapLog& TestHeap();

// MainWindow as the program describes it, but with `bindings` in place of
// its own, all naming the program's one handler name.
std::span<const ui::WindowDescription> ProbeDescriptions();
std::span<const ui::EventBinding> ProbeBindings();

class FrameFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The real program handlers and description.
  static FrameSetup ProgramSetup();
  // The probe in place of the handlers and the probe bindings.
  static FrameSetup ProbeSetup();

  AppFrame& MakeFrame(const FrameSetup& setup);
  AppFrame& frame() { return *frame_; }

  HWND MainWindowHandle() const;
  HWND Control(ControlId id) const;

 private:
  std::unique_ptr<AppFrame> frame_;
};

// The report that `action` causes, as the user would see it: the box is read
// and closed from a second thread while this one runs the box. `while_open`
// runs on that thread while the box is shown.
struct ObservedReport {
  bool box_seen = false;
  std::string caption;
  std::string text;
  bool process_ended = false;
  unsigned exit_status = 0;
};
template <typename Action>
ObservedReport ObserveReport(Action action, void (*while_open)(void*) = nullptr,
                             void* context = nullptr);

// Implementation detail of ObserveReport.
class BoxWatcher {
 public:
  BoxWatcher(void (*while_open)(void*), void* context);
  ~BoxWatcher();
  void Finish(ObservedReport& report);

 private:
  static DWORD WINAPI Run(void* self);
  void (*while_open_)(void*);
  void* context_;
  HANDLE thread_ = nullptr;
  bool box_seen_ = false;
  std::string caption_;
  std::string text_;
  volatile LONG stop_ = 0;
};

template <typename Action>
ObservedReport ObserveReport(Action action, void (*while_open)(void*), void* context) {
  ObservedReport report;
  BoxWatcher watcher(while_open, context);
  try {
    action();
  } catch (const ProcessEnded& ended) {
    report.process_ended = true;
    report.exit_status = ended.exit_status;
  }
  watcher.Finish(report);
  return report;
}

}  // namespace tamrel::app::testing
