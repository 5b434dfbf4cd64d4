// tamrel.exe as a process of its own, seen from outside: how it starts,
// where it runs, how each way of closing ends it.
#include "app/tests/program_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/tests/wait_until.h"

namespace tamrel::app::testing {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

enum class CloseWay { kCloseBox, kAltF4, kSystemMenu, kEsc };

struct CloseCase {
  const char* name;
  CloseWay way;
};

HWND OpenSystemMenu(DWORD process_id) {
  HWND menu = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : VisibleTopLevelWindowsOf(process_id)) {
          wchar_t name[16] = {};
          GetClassNameW(window, name, 16);
          if (std::wstring(name) == L"#32768") {
            menu = window;
            return true;
          }
        }
        return false;
      },
      5000);
  return menu;
}

void Close(const ProgramProcess& program, HWND window, CloseWay way) {
  ASSERT_TRUE(program.ReadyForInput(window));
  switch (way) {
    case CloseWay::kCloseBox: {
      const std::optional<POINT> close_box = CloseBoxOf(window);
      ASSERT_TRUE(close_box.has_value());
      ASSERT_TRUE(ClickAt(*close_box));
      break;
    }
    case CloseWay::kAltF4:
      PressKeys({VK_MENU, VK_F4});
      break;
    case CloseWay::kSystemMenu:
      PressKeys({VK_MENU, VK_SPACE});
      ASSERT_NE(OpenSystemMenu(program.id()), nullptr);
      // Close by its mnemonic, "关闭(C)" (Wine adds an item after it).
      PressKeys({'C'});
      break;
    case CloseWay::kEsc:
      PressKeys({VK_ESCAPE});
      break;
  }
}

class CloseWayTest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseWayTest, EndsTheProcessWithStatusZeroAndLeavesNoWindow) {
  ProgramProcess program(L"tamrel.exe");
  ASSERT_TRUE(program.started());
  const HWND window = program.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(window, nullptr);

  Close(program, window, GetParam().way);

  const std::optional<DWORD> status = program.WaitForExit(kExitTimeoutMs);
  ASSERT_TRUE(status.has_value()) << "still open; the foreground window is "
                                  << (GetForegroundWindow() == window ? "it" : "another");
  EXPECT_EQ(*status, 0u);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(VisibleTopLevelWindowsOf(program.id()).empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, CloseWayTest,
                         ::testing::Values(CloseCase{"CloseBox", CloseWay::kCloseBox},
                                           CloseCase{"AltF4", CloseWay::kAltF4},
                                           CloseCase{"SystemMenu", CloseWay::kSystemMenu},
                                           CloseCase{"Esc", CloseWay::kEsc}),
                         [](const ::testing::TestParamInfo<CloseCase>& info) {
                           return info.param.name;
                         });

TEST(ProgramProcessTest, TwoCopiesRunSideBySide) {
  ProgramProcess first(L"tamrel.exe");
  const HWND first_window = first.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(first_window, nullptr);
  ProgramProcess second(L"tamrel.exe");
  const HWND second_window = second.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(second_window, nullptr);

  EXPECT_NE(first_window, second_window);
  EXPECT_FALSE(first.WaitForExit(0).has_value());  // the first copy goes on

  PostMessageW(second_window, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
  EXPECT_TRUE(IsWindowVisible(first_window));
  PostMessageW(first_window, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
}

TEST(ProgramProcessTest, AQuitRequestFromOutsideEndsItWithTheRequestsParameter) {
  ProgramProcess program(L"tamrel.exe");
  ASSERT_NE(program.WaitForMainWindow(kStartTimeoutMs), nullptr);

  ASSERT_TRUE(PostThreadMessageW(program.thread_id(), WM_QUIT, 7, 0));

  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(7));
}

TEST(ProgramProcessTest, StartedElsewhereWithArgumentsItRunsAsAlwaysInItsOwnFolder) {
  wchar_t elsewhere[MAX_PATH];
  GetWindowsDirectoryW(elsewhere, MAX_PATH);
  ProgramProcess program(L"tamrel.exe", L"--help /? 240 720", elsewhere);
  ASSERT_TRUE(program.started());
  const HWND window = program.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(window, nullptr);
  // How long the program takes from its start to a visible window.
  const ULONGLONG shown_after = GetTickCount64() - program.start_tick();
  std::printf("window visible %llu ms after the process started\n", shown_after);
  ::testing::Test::RecordProperty("window_visible_ms", std::to_string(shown_after));

  // The folder of the program, with the trailing backslash the system keeps.
  const std::wstring folder = TestProgramFolder() + L"\\";
  EXPECT_EQ(_wcsicmp(CurrentDirectoryOf(program.handle()).c_str(), folder.c_str()), 0);

  // Arguments change nothing: the one window, as always.
  EXPECT_EQ(VisibleTopLevelWindowsOf(program.id()).size(), 1u);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 472);
  EXPECT_EQ(rect.bottom - rect.top, 287);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
}

TEST(ProgramProcessTest, TheWindowHasNoTaskbarButton) {
  ProgramProcess program(L"tamrel.exe");
  const HWND window = program.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(window, nullptr);

  // Owned by an invisible tool window of its own process, and not asking for
  // a button of its own.
  const HWND owner = GetWindow(window, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  DWORD owner_process = 0;
  GetWindowThreadProcessId(owner, &owner_process);
  EXPECT_EQ(owner_process, program.id());
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_NE(GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace tamrel::app::testing
