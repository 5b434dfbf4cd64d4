// Where the window lands on screens of several sizes. CTest runs this program
// once per size, each time on a virtual desktop of that size, named by
// TAMREL_TEST_DESKTOP (none: the prefix's own 1920 x 1080).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui/tests/window_fixture.h"

namespace tamrel::ui::testing {
namespace {

struct ScreenCase {
  int width, height;
  RECT outer;
};
constexpr ScreenCase kScreens[] = {
    {1920, 1080, {724, 396, 1196, 683}},
    {1366, 768, {447, 240, 919, 527}},
    {400, 300, {-36, 6, 436, 293}},
};

std::wstring DesktopAskedFor() {
  wchar_t size[32] = {};
  if (GetEnvironmentVariableW(L"TAMREL_TEST_DESKTOP", size, 32) == 0) return L"1920x1080";
  return size;
}

using ScreenSizeTest = WindowTest;

TEST_F(ScreenSizeTest, TheWindowIsCentredOnTheScreenItIsCreatedOn) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_EQ(std::to_wstring(width) + L"x" + std::to_wstring(height), DesktopAskedFor());
  const ScreenCase* screen = nullptr;
  for (const ScreenCase& c : kScreens) {
    if (c.width == width && c.height == height) screen = &c;
  }
  ASSERT_NE(screen, nullptr) << "no expectation for " << width << " x " << height;
  RECT outer{};
  GetWindowRect(window_->handle(), &outer);
  EXPECT_EQ(outer.left, screen->outer.left);
  EXPECT_EQ(outer.top, screen->outer.top);
  EXPECT_EQ(outer.right, screen->outer.right);
  EXPECT_EQ(outer.bottom, screen->outer.bottom);
}

}  // namespace
}  // namespace tamrel::ui::testing
