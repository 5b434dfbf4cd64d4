// The fixture of the tests that drive the real tamrel.exe from outside: the
// program started, its window found with its three boxes and its button and
// ready for input; at the end it is closed and must end normally.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "app/tests/program_process.h"

namespace tamrel::app::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  static constexpr DWORD kStartTimeoutMs = 20000;
  static constexpr DWORD kExitTimeoutMs = 10000;

  void SetUp() override;
  void TearDown() override;

  bool FocusIs(HWND control) const;

  ProgramProcess program_{L"tamrel.exe"};
  HWND window_ = nullptr;
  std::vector<HWND> boxes_;  // R1, R2, Vout
  HWND button_ = nullptr;
};

}  // namespace tamrel::app::testing
