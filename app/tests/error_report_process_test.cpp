// The error report as the user meets it, through test programs built from
// the same frame as tamrel.exe: one whose heap refuses requests of one size,
// one whose window table is damaged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tests/program_process.h"
#include "app/tests/report_box.h"
#include "app/tests/wait_until.h"

namespace tamrel::app::testing {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr DWORD kNoEffectMs = 500;

class AtExitMarker {
 public:
  AtExitMarker() {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    wchar_t path[MAX_PATH];
    GetTempFileNameW(folder, L"tam", 0, path);
    path_ = path;
    DeleteFileW(path_.c_str());
  }
  ~AtExitMarker() { DeleteFileW(path_.c_str()); }
  const std::wstring& path() const { return path_; }
  bool exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

 private:
  std::wstring path_;
};

bool Shows(HWND box, const std::string& text) {
  return WaitUntil([&] { return TextOf(box) == text; });
}

// Closing the report ends the program with -1, and without the at-exit
// routine when `marker` is given.
void CloseReportExpectingTheEnd(const ProgramProcess& program, HWND report,
                                const AtExitMarker* marker) {
  CloseReportBox(report);
  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0xFFFFFFFFu));
  if (marker != nullptr) {
    EXPECT_FALSE(marker->exists());
  }
}

TEST(ErrorReportProcessTest, TheAtExitRoutineRunsOnAnOrdinaryClose) {
  // Without this the marker's absence after a report would prove nothing.
  AtExitMarker marker;
  ProgramProcess program(L"tamrel-test-alloc-fail.exe",
                         L"--at-exit-marker \"" + marker.path() + L"\"");
  const HWND window = program.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
  EXPECT_TRUE(marker.exists());
}

TEST(ErrorReportProcessTest, ExhaustedStorageIsReportedOnceAndEndsWithMinusOne) {
  AtExitMarker marker;
  ProgramProcess program(L"tamrel-test-alloc-fail.exe",
                         L"--fail-size 20 --at-exit-marker \"" + marker.path() + L"\"");
  const std::optional<MainWindowControls> controls =
      WaitUntilReadyForInput(program, kStartTimeoutMs);
  ASSERT_TRUE(controls.has_value()) << "no window with its boxes and button, ready for input";
  const std::vector<HWND>& boxes = controls->boxes;
  const HWND button = controls->button;

  // A calculation that needs no 20-byte text works as usual.
  TypeAscii("240");
  PressKeys({VK_TAB});
  TypeAscii("720");
  ASSERT_TRUE(ClickAt(CentreOf(button)));
  ASSERT_TRUE(Shows(boxes[2], "5.036V"));

  // 12345678901234 leaves the box as "1.234567890123e+013": 19 bytes and
  // the terminating zero.
  PressKeys({VK_TAB});
  for (int i = 0; i < 3; ++i) {
    PressKeys({VK_BACK});
  }
  TypeAscii("12345678901234");
  ASSERT_TRUE(Shows(boxes[0], "12345678901234"));
  PressKeys({VK_TAB});

  const HWND report = WaitForReportBox(program.id(), kStartTimeoutMs);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(ReadCaption(report), kExpectedReportCaption);
  EXPECT_EQ(ReadReportText(report), ExpectedReportText(ExpectedAllocationMessage("20")));
  EXPECT_EQ(GetWindow(report, GW_OWNER), nullptr);

  // The window is still usable, but its click reaches no handler: a
  // calculation would empty the result box first.
  ASSERT_TRUE(ClickAt(CentreOf(button)));
  Sleep(kNoEffectMs);
  EXPECT_EQ(TextOf(boxes[2]), "5.036V");
  EXPECT_EQ(FindReportBox(program.id()), report);  // still the one box

  CloseReportExpectingTheEnd(program, report, &marker);
}

TEST(ErrorReportProcessTest, AnObjectThatCannotBeMadeIsReportedWithItsSize) {
  // C++ objects fail like texts: a report for the size asked, never an
  // exception through a window procedure that would end the program silently.
  AtExitMarker marker;
  ProgramProcess program(L"tamrel-test-alloc-fail.exe",
                         L"--fail-objects-from 400000 --at-exit-marker \"" + marker.path() + L"\"");
  const std::optional<MainWindowControls> controls =
      WaitUntilReadyForInput(program, kStartTimeoutMs);
  ASSERT_TRUE(controls.has_value()) << "no window with its boxes and button, ready for input";

  // Above the decoded picture (452 x 223 x 3 bytes), which start-up makes.
  // Tidying R1 copies its 250,000 characters into a string of 250,002 wide
  // characters: 500,004 bytes, more than the heap will give.
  const std::wstring long_text(250000, L'x');
  SendMessageW(controls->boxes[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(long_text.c_str()));
  PressKeys({VK_TAB});

  const HWND report = WaitForReportBox(program.id(), kStartTimeoutMs);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(ReadCaption(report), kExpectedReportCaption);
  EXPECT_EQ(ReadReportText(report), ExpectedReportText(ExpectedAllocationMessage("500004")));
  CloseReportExpectingTheEnd(program, report, &marker);
}

TEST(ErrorReportProcessTest, AContainerAskedForMoreThanAnySizeIsAnAllocationReport) {
  // Built without exceptions, the program answers the standard library's
  // length error itself; the runtime's answer would be a throw that
  // nothing catches, and the program would vanish without a word.
  AtExitMarker marker;
  ProgramProcess program(L"tamrel-test-alloc-fail.exe",
                         L"--on-click outgrow --at-exit-marker \"" + marker.path() + L"\"");
  const std::optional<MainWindowControls> controls =
      WaitUntilReadyForInput(program, kStartTimeoutMs);
  ASSERT_TRUE(controls.has_value()) << "no window with its boxes and button, ready for input";
  PostMessageW(controls->button, BM_CLICK, 0, 0);

  const HWND report = WaitForReportBox(program.id(), kStartTimeoutMs);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(ReadCaption(report), kExpectedReportCaption);
  // -1: more than any size can say.
  EXPECT_EQ(ReadReportText(report), ExpectedReportText(ExpectedAllocationMessage("-1")));
  CloseReportExpectingTheEnd(program, report, &marker);
}

TEST(ErrorReportProcessTest, ADamagedWindowTableIsReportedBeforeAnyWindow) {
  ProgramProcess program(L"tamrel-test-damaged-description.exe");
  ASSERT_TRUE(program.started());

  const HWND report = WaitForReportBox(program.id(), kStartTimeoutMs);
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(ReadCaption(report), kExpectedReportCaption);
  // 载入窗口模板数据段出错!
  EXPECT_EQ(ReadReportText(report),
            ExpectedReportText("\xD4\xD8\xC8\xEB\xB4\xB0\xBF\xDA\xC4\xA3\xB0\xE5\xCA\xFD"
                               "\xBE\xDD\xB6\xCE\xB3\xF6\xB4\xED!"));
  EXPECT_EQ(program.FindMainWindow(), nullptr);
  CloseReportExpectingTheEnd(program, report, nullptr);
}

}  // namespace
}  // namespace tamrel::app::testing
