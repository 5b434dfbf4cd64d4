// Which events reach a handler, and when: the bindings of MainWindow, the
// suppression while a window is created, during an error report and from
// the end of the program on, and events that a handler causes.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/frame.h"
#include "app/frame_messages.h"
#include "app/program_handlers.h"
#include "app/tests/frame_fixture.h"
#include "calc/main_window_ids.h"

namespace tamrel::app::testing {
namespace {

using EventDispatchTest = FrameFixture;

struct Triple {
  WindowId window;
  ControlId control;
  std::int32_t event;
};

TEST_F(EventDispatchTest, OnlyTheClickOfTheButtonIsBound) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();

  const EventRoutine calculate = ProgramHandlers()[0].routine;
  ASSERT_NE(calculate, nullptr);
  EXPECT_EQ(frame.FindEventHandler(kMainWindow, kButton1, ui::kClickEvent), calculate);

  const Triple unbound[] = {
      {kMainWindow, kButton1, ui::kGotFocusEvent},
      {kMainWindow, kButton1, ui::kLostFocusEvent},
      {kMainWindow, kButton1, ui::kLeftButtonDownEvent},
      {kMainWindow, kButton1, ui::kLeftButtonUpEvent},
      {kMainWindow, kButton1, ui::kKeyDownEvent},
      {kMainWindow, kEditBox1, ui::kContentChangedEvent},
      {kMainWindow, kEditBox3, ui::kContentChangedEvent},
      {kMainWindow, kPictureBox1, ui::kClickEvent},
      {kMainWindow, kLabel1, ui::kClickEvent},
      {kMainWindow, 0, ui::kWindowLoadedEvent},
      {kMainWindow, kMainWindowRecord, ui::kCloseRequestEvent},
      {kMainWindow, kMainWindowRecord, ui::kClickEvent},
      {kMainWindow + 1, kButton1, ui::kClickEvent},
      {0, kButton1, ui::kClickEvent},
  };
  for (const Triple& triple : unbound) {
    EXPECT_EQ(frame.FindEventHandler(triple.window, triple.control, triple.event), nullptr)
        << std::hex << triple.window << " " << triple.control << " " << std::dec << triple.event;
  }
}

TEST_F(EventDispatchTest, RaiseEventRunsTheBoundHandlerOnceAndReportsIt) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  Probe().calls.clear();

  ui::EventRecord click{kMainWindow, kButton1, ui::kClickEvent};
  EXPECT_TRUE(frame.RaiseEvent(click));
  EXPECT_FALSE(click.answered);
  ASSERT_EQ(Probe().calls.size(), 1u);
  EXPECT_EQ(Probe().calls[0].record.control, kButton1);

  ui::EventRecord unbound{kMainWindow, kButton1, ui::kLostFocusEvent};
  EXPECT_FALSE(frame.RaiseEvent(unbound));
  EXPECT_EQ(Probe().calls.size(), 1u);
}

TEST_F(EventDispatchTest, ThePlatformClickOfTheButtonCalculates) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  const struct {
    const char* r1;
    const char* r2;
    const char* shown;
  } cases[] = {
      {"240", "720", "5.036V"},
      {"", "", "-1.#INDV"},    // 0/0
      {"", "720", "1.#INFV"},  // 720/0
      {"240", "", "1.25V"},    // VREF alone
  };
  for (const auto& c : cases) {
    frame.properties().WriteProperty(kMainWindow, kEditBox1, kContentProperty, kWholeProperty,
                                     c.r1);
    frame.properties().WriteProperty(kMainWindow, kEditBox2, kContentProperty, kWholeProperty,
                                     c.r2);

    SendMessageW(Control(kButton1), BM_CLICK, 0, 0);

    const OwnedText result(
        frame.properties().ReadProperty(kMainWindow, kEditBox3, kContentProperty, kWholeProperty));
    ASSERT_FALSE(result.absent()) << c.r1 << " " << c.r2;
    EXPECT_STREQ(result.get(), c.shown) << c.r1 << " " << c.r2;
  }
}

TEST_F(EventDispatchTest, ADoubleClickOnTheButtonIsTwoClicks) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  Probe().calls.clear();
  const HWND button = Control(kButton1);
  const LPARAM inside = MAKELPARAM(10, 10);

  // What the platform delivers for a double click: the second press comes
  // as a double-click message.
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  SendMessageW(button, WM_LBUTTONUP, 0, inside);
  SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  SendMessageW(button, WM_LBUTTONUP, 0, inside);

  int clicks = 0;
  for (const ProbeCall& call : Probe().calls) {
    if (call.record.control == kButton1 && call.record.event == ui::kClickEvent) {
      ++clicks;
    }
  }
  EXPECT_EQ(clicks, 2);
}

// Watches every platform window made on this thread while the hook is set,
// and tries a bound event from inside each creation.
class CreationWatch {
 public:
  CreationWatch() {
    windows_created = 0;
    clicks_delivered = 0;
    hook_ = SetWindowsHookExW(WH_CBT, &CreationWatch::OnCbt, nullptr, GetCurrentThreadId());
  }
  ~CreationWatch() { UnhookWindowsHookEx(hook_); }
  bool active() const { return hook_ != nullptr; }

  static inline int windows_created = 0;
  static inline int clicks_delivered = 0;

 private:
  // Top-level windows and children of on-screen windows; the platform's
  // message-only helper windows (OLE makes one when it starts) are not ours.
  static bool IsOnScreen(const CBT_CREATEWNDW* create) {
    const HWND parent = create->lpcs->hwndParent;
    return parent == nullptr || GetAncestor(parent, GA_PARENT) == GetDesktopWindow() ||
           parent == GetDesktopWindow();
  }
  static LRESULT CALLBACK OnCbt(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_CREATEWND && IsOnScreen(reinterpret_cast<CBT_CREATEWNDW*>(lparam))) {
      ++windows_created;
      ui::EventRecord click{kMainWindow, kButton1, ui::kClickEvent};
      if (ui::RaiseEvent(click)) {
        ++clicks_delivered;
      }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  HHOOK hook_ = nullptr;
};

TEST_F(EventDispatchTest, NothingReachesAHandlerWhileTheWindowIsCreated) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  {
    CreationWatch watch;
    ASSERT_TRUE(watch.active());
    ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  }

  // The window and its eleven controls were made, and a click raised
  // during any of those creations went nowhere.
  EXPECT_GE(CreationWatch::windows_created, 12);
  EXPECT_EQ(CreationWatch::clicks_delivered, 0);
  // The first events to reach a handler are the window's 0, 3 and 4.
  const std::vector<ProbeCall>& calls = Probe().calls;
  ASSERT_GE(calls.size(), 3u);
  const std::int32_t loaded[] = {ui::kWindowLoadedEvent, ui::kWindowLoadedEvent3,
                                 ui::kWindowLoadedEvent4};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(calls[i].record.control, 0u);
    EXPECT_EQ(calls[i].record.event, loaded[i]);
  }
  for (const ProbeCall& call : calls) {
    EXPECT_TRUE(call.window_open) << call.record.control << " " << call.record.event;
    EXPECT_EQ(call.suppression_count, 0);
  }
}

TEST_F(EventDispatchTest, EventsCausedByAHandlerNestInsideIt) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  Probe().calls.clear();
  Probe().action = [](AppFrame& frame, const ui::EventRecord& record) {
    if (record.control == kButton1) {
      frame.properties().WriteProperty(kMainWindow, kEditBox3, kContentProperty, kWholeProperty,
                                       "1V");
    }
  };

  SendMessageW(Control(kButton1), BM_CLICK, 0, 0);

  const std::vector<ProbeCall>& calls = Probe().calls;
  const auto click = std::ranges::find_if(
      calls, [](const ProbeCall& call) { return call.record.control == kButton1; });
  ASSERT_NE(click, calls.end());
  ASSERT_NE(click + 1, calls.end());
  EXPECT_EQ(click->depth, 1);
  EXPECT_EQ((click + 1)->record.control, kEditBox3);
  EXPECT_EQ((click + 1)->record.event, ui::kContentChangedEvent);
  EXPECT_EQ((click + 1)->depth, 2);
}

TEST_F(EventDispatchTest, NothingReachesAHandlerWhileAnErrorReportIsOpen) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  Probe().calls.clear();
  HWND button = Control(kButton1);

  // The click comes from the watching thread while the box is shown; the
  // window is not disabled, so the button does click.
  const ObservedReport report = ObserveReport(
      [&] { frame.ReportRuntimeError("x"); },
      [](void* button) { SendMessageW(static_cast<HWND>(button), BM_CLICK, 0, 0); }, button);

  EXPECT_TRUE(report.box_seen);
  EXPECT_TRUE(report.process_ended);
  EXPECT_TRUE(Probe().calls.empty());
}

TEST_F(EventDispatchTest, NothingReachesAHandlerOnceTheProgramEnds) {
  AppFrame& frame = MakeFrame(ProbeSetup());
  frame.InitializeFrame();
  frame.SetAtExitRoutine(frame.setup().at_exit_routine);
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  Probe().calls.clear();
  static bool raised_at_exit;
  raised_at_exit = true;
  Probe().at_exit_action = [](AppFrame& frame) {
    ui::EventRecord click{kMainWindow, kButton1, ui::kClickEvent};
    raised_at_exit = frame.RaiseEvent(click);
  };

  frame.EndProgram();

  EXPECT_EQ(Probe().at_exit_calls, 1);
  EXPECT_FALSE(raised_at_exit);
  ui::EventRecord click{kMainWindow, kButton1, ui::kClickEvent};
  EXPECT_FALSE(frame.RaiseEvent(click));
  EXPECT_TRUE(Probe().calls.empty());
  EXPECT_FALSE(frame.IsWindowOpen(kMainWindow));

  frame.EndProgram();  // the at-exit routine runs at most once
  EXPECT_EQ(Probe().at_exit_calls, 1);
}

}  // namespace
}  // namespace tamrel::app::testing
