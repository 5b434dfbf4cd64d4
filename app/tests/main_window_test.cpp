#include "app/tests/main_window_test.h"

#include <optional>

#include "app/tests/wait_until.h"

namespace tamrel::app::testing {

void MainWindowTest::SetUp() {
  ASSERT_TRUE(program_.started());
  const std::optional<MainWindowControls> controls =
      WaitUntilReadyForInput(program_, kStartTimeoutMs);
  ASSERT_TRUE(controls.has_value()) << "no window with its boxes and button, ready for input";
  window_ = controls->window;
  boxes_ = controls->boxes;
  button_ = controls->button;
}

void MainWindowTest::TearDown() {
  PostMessageW(window_, WM_CLOSE, 0, 0);
  EXPECT_EQ(program_.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
}

bool MainWindowTest::FocusIs(HWND control) const {
  return WaitUntil([&] { return program_.FocusedWindow() == control; });
}

}  // namespace tamrel::app::testing
