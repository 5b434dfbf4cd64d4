// The stack canary of the shipped program, through the test-only program
// built like it: a random value of each process's own, and a frame that
// finds it overwritten ends the process at once, with the status Windows
// gives a failed stack cookie check and without a report.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>

#include "app/tests/program_log.h"
#include "app/tests/program_process.h"
#include "app/tests/report_box.h"

namespace tamrel::app::testing {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

std::optional<std::uintptr_t> ReadGuard(const LogFile& file) {
  const HANDLE handle = CreateFileW(file.path().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  std::uintptr_t guard = 0;
  DWORD read = 0;
  const bool whole =
      ReadFile(handle, &guard, sizeof(guard), &read, nullptr) && read == sizeof(guard);
  CloseHandle(handle);
  return whole ? std::optional<std::uintptr_t>(guard) : std::nullopt;
}

TEST(StackGuardTest, EachProcessHasARandomCanaryOfItsOwn) {
  LogFile first_guard;
  LogFile second_guard;
  ProgramProcess first(L"tamrel-test-alloc-fail.exe",
                       L"--stack-guard-to \"" + first_guard.path() + L"\"");
  ProgramProcess second(L"tamrel-test-alloc-fail.exe",
                        L"--stack-guard-to \"" + second_guard.path() + L"\"");
  // The canary is written before the window is made.
  for (ProgramProcess* program : {&first, &second}) {
    const HWND window = program->WaitForMainWindow(kStartTimeoutMs);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
  }
  const std::optional<std::uintptr_t> a = ReadGuard(first_guard);
  const std::optional<std::uintptr_t> b = ReadGuard(second_guard);
  ASSERT_TRUE(a && b);
  EXPECT_NE(*a, 0u);
  // The terminator canary is the fallback without randomness only.
  EXPECT_NE(*a, 0xFF0A0000u);
  EXPECT_NE(*a, *b);
}

TEST(StackGuardTest, AnOverwrittenStackEndsTheProgramAtOnce) {
  ProgramProcess program(L"tamrel-test-alloc-fail.exe", L"--on-click overrun");
  const std::optional<MainWindowControls> controls =
      WaitUntilReadyForInput(program, kStartTimeoutMs);
  ASSERT_TRUE(controls.has_value()) << "no window with its boxes and button, ready for input";
  PostMessageW(controls->button, BM_CLICK, 0, 0);
  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(STATUS_STACK_BUFFER_OVERRUN));
  EXPECT_EQ(FindReportBox(program.id()), nullptr);
}

}  // namespace
}  // namespace tamrel::app::testing
