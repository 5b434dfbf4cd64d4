// Start-up, loading, the two modes of the event loop with their quit rules,
// closing, and the state the frame leaves the process in.
#include <gtest/gtest.h>

#include <string>

#include "app/frame.h"
#include "app/program_folder.h"
#include "app/program_main.h"
#include "app/tests/frame_fixture.h"
#include "calc/main_window_ids.h"

namespace tamrel::app::testing {
namespace {

using FrameLifecycleTest = FrameFixture;

bool TakeQuitRequest(WPARAM& parameter) {
  MSG message;
  if (!PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    return false;
  }
  parameter = message.wParam;
  return true;
}

TEST_F(FrameLifecycleTest, InitializeFrameMakesAHiddenToolWindow) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  const HWND hidden = frame.hidden_window();
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_NE(GetWindowLongW(hidden, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetWindowLongW(hidden, GWL_STYLE) & (WS_VISIBLE | WS_CHILD | WS_POPUP), 0);

  frame.EndProgram();
  EXPECT_FALSE(IsWindow(hidden));
}

TEST_F(FrameLifecycleTest, InitializeFrameEntersTheProgramFolder) {
  wchar_t elsewhere[MAX_PATH];
  GetWindowsDirectoryW(elsewhere, MAX_PATH);
  ASSERT_TRUE(SetCurrentDirectoryW(elsewhere));
  MakeFrame(ProgramSetup()).InitializeFrame();

  wchar_t program[MAX_PATH];
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  EXPECT_EQ(std::wstring(current), ProgramFolderOf(program));
}

TEST(ProgramFolder, IsThePathUpToTheLastBackslash) {
  EXPECT_EQ(ProgramFolderOf(L"C:\\tools\\tamrel\\tamrel.exe"), L"C:\\tools\\tamrel");
  EXPECT_EQ(ProgramFolderOf(L"C:\\tamrel.exe"), L"C:\\");
  EXPECT_EQ(ProgramFolderOf(L"\\\\server\\share\\tamrel.exe"), L"\\\\server\\share");
  EXPECT_EQ(ProgramFolderOf(L"tamrel.exe"), L"");
}

TEST_F(FrameLifecycleTest, LoadWindowRefusesWhatItCannotFind) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  EXPECT_FALSE(frame.LoadWindow(kMainWindow + 1, std::nullopt, false));
  EXPECT_FALSE(frame.LoadWindow(kMainWindow, kMainWindow + 1, false));
  EXPECT_FALSE(frame.LoadWindow(kMainWindow, kMainWindow, false));  // owner not loaded
  EXPECT_FALSE(frame.IsWindowOpen(kMainWindow));
}

TEST_F(FrameLifecycleTest, LoadingAnOpenWindowAgainKeepsIt) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  const HWND first = MainWindowHandle();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(IsWindowVisible(first));
  EXPECT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  EXPECT_EQ(MainWindowHandle(), first);
}

TEST_F(FrameLifecycleTest, TheModalWindowIsOwnedByTheHiddenWindowAndClosesItsLoop) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  static HWND owner_seen;
  static bool was_modal;
  owner_seen = nullptr;
  was_modal = false;
  // Once loaded, have the button clicked from inside the modal loop, look at
  // the window from there, and close it.
  Probe().action = [](AppFrame& frame, const ui::EventRecord& record) {
    const HWND window = frame.FindOpenWindow(kMainWindow)->handle();
    if (record.control == 0 && record.event == ui::kWindowLoadedEvent) {
      PostMessageW(frame.FindOpenWindow(kMainWindow)->FindControl(kButton1), BM_CLICK, 0, 0);
    } else if (record.control == kButton1 && record.event == ui::kClickEvent) {
      owner_seen = GetWindow(window, GW_OWNER);
      was_modal = frame.modal_window() == kMainWindow;
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  };

  EXPECT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, true));

  EXPECT_EQ(owner_seen, frame.hidden_window());
  EXPECT_TRUE(was_modal);
  EXPECT_FALSE(frame.IsWindowOpen(kMainWindow));
  EXPECT_EQ(frame.modal_window(), std::nullopt);
  WPARAM parameter = 0;
  EXPECT_FALSE(TakeQuitRequest(parameter));  // the loop was never entered
  frame.RunEventLoop();                      // nothing open: returns at once
  EXPECT_TRUE(frame.event_loop_entered());
  EXPECT_EQ(frame.exit_status(), 0);
}

TEST_F(FrameLifecycleTest, AQuitRequestEndsTheModalLoopAndStaysForTheMainLoop) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  Probe().action = [](AppFrame&, const ui::EventRecord& record) {
    if (record.control == 0 && record.event == ui::kWindowLoadedEvent) {
      PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, 7, 0);
    }
  };

  EXPECT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, true));
  EXPECT_TRUE(frame.IsWindowOpen(kMainWindow));

  frame.RunEventLoop();  // takes the request
  EXPECT_EQ(frame.exit_status(), 7);
  WPARAM parameter = 0;
  EXPECT_FALSE(TakeQuitRequest(parameter));
}

TEST_F(FrameLifecycleTest, AQuitRequestWaitingBeforeLoadingStaysQueued) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, 3, 0);
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  WPARAM parameter = 0;
  ASSERT_TRUE(TakeQuitRequest(parameter));
  EXPECT_EQ(parameter, 3u);
}

TEST_F(FrameLifecycleTest, ClosingTheLastWindowEndsTheMainLoop) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  PostMessageW(MainWindowHandle(), WM_CLOSE, 0, 0);

  frame.RunEventLoop();

  EXPECT_FALSE(frame.IsWindowOpen(kMainWindow));
  EXPECT_EQ(frame.exit_status(), 0);
}

TEST(FloatingPointReset, LeavesTheDefaultControlWordAndAClearStatus) {
  const unsigned short double_precision = 0x027F;
  asm volatile("fldcw %0" : : "m"(double_precision));
  volatile double zero = 0.0;
  volatile double quotient = 1.0 / zero;  // sets the divide-by-zero flag
  (void)quotient;

  ResetFloatingPointUnit();

  unsigned short control = 0;
  unsigned short status = 0xFFFF;
  asm volatile("fnstcw %0" : "=m"(control));
  asm volatile("fnstsw %0" : "=m"(status));
  EXPECT_EQ(control, 0x037F);
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace tamrel::app::testing
