// Takes the README's picture: starts tamrel.exe from its own folder, types
// 240 and 720, clicks the button, waits for the result and saves the window
// as it is on screen. A tool of the build, never shipped.
//   tamrel-screenshot OUTPUT.png
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/tests/png_file.h"
#include "app/tests/program_process.h"
#include "app/tests/wait_until.h"

namespace tamrel::app::testing {
namespace {

// A screen DC is released whatever path the capture takes.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

std::vector<std::uint8_t> CaptureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  const ScreenDc screen;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = GetPixel(screen.get(), area.left + x, area.top + y);
      std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
      pixel[0] = GetRValue(c);
      pixel[1] = GetGValue(c);
      pixel[2] = GetBValue(c);
    }
  }
  return rgb;
}

int Fail(const char* what) {
  std::fprintf(stderr, "tamrel-screenshot: %s\n", what);
  return 1;
}

int TakeScreenshot(const std::wstring& output) {
  const ProgramProcess program(L"tamrel.exe");
  const HWND window = program.WaitForMainWindow(20000);
  if (window == nullptr || !program.ReadyForInput(window)) {
    return Fail("the window did not appear");
  }
  const std::optional<MainWindowControls> controls = ControlsOf(window);
  if (!controls) {
    return Fail("the window does not hold its three boxes and its button");
  }
  const std::vector<HWND>& boxes = controls->boxes;
  TypeAscii("240");
  PressKeys({VK_TAB});
  TypeAscii("720");
  if (!WaitUntil([&] { return TextOf(boxes[1]) == "720"; }) ||
      !ClickAt(CentreOf(controls->button)) ||
      !WaitUntil([&] { return TextOf(boxes[2]) == "5.036V"; })) {
    return Fail("typing and clicking did not give 5.036V");
  }
  Sleep(300);  // let the pressed button come back up on screen
  RECT area{};
  GetWindowRect(window, &area);
  const bool saved =
      WritePng(output, area.right - area.left, area.bottom - area.top, CaptureScreen(area));
  PostMessageW(window, WM_CLOSE, 0, 0);
  program.WaitForExit(10000);
  return saved ? 0 : Fail("the picture could not be written");
}

}  // namespace
}  // namespace tamrel::app::testing

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tamrel-screenshot OUTPUT.png\n");
    return 2;
  }
  return tamrel::app::testing::TakeScreenshot(argv[1]);
}
