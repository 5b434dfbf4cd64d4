#include "app/tests/main_window_test.h"

#include <optional>

#include "app/tests/wait_until.h"

namespace tamrel::app::testing {

void MainWindowTest::SetUp() {
  ASSERT_TRUE(program_.started());
  window_ = program_.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(window_, nullptr);
  const std::optional<MainWindowControls> controls = ControlsOf(window_);
  ASSERT_TRUE(controls.has_value()) << "the window lacks its boxes and button";
  boxes_ = controls->boxes;
  button_ = controls->button;
  ASSERT_TRUE(program_.ReadyForInput(window_));
}

void MainWindowTest::TearDown() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(program_.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
}

bool MainWindowTest::FocusIs(HWND control) const {
  return WaitUntil([&] { return program_.FocusedWindow() == control; });
}

}  // namespace tamrel::app::testing
