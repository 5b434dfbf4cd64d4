// The whole program in a user's hands: keys and clicks into the real
// tamrel.exe, the result read back from its window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tests/main_window_test.h"
#include "app/tests/program_process.h"
#include "app/tests/wait_until.h"

namespace tamrel::app::testing {
namespace {

// How long a key that must not calculate is given to do so all the same.
constexpr DWORD kNoEffectMs = 500;

class CalculationTest : public MainWindowTest {
 protected:
  HWND r1() const { return boxes_[0]; }
  HWND r2() const { return boxes_[1]; }
  HWND vout() const { return boxes_[2]; }

  bool Shows(HWND box, const std::string& text) const {
    return WaitUntil([&] { return TextOf(box) == text; });
  }
  void ClickButton() { ASSERT_TRUE(ClickAt(CentreOf(button_))); }
  void Erase(HWND box) {
    for (std::size_t i = TextOf(box).size(); i > 0; --i) {
      PressKeys({VK_BACK});
    }
    ASSERT_TRUE(Shows(box, ""));
  }
};

// One program for the whole road, one step after another, as a user would
// go: each process start under Wine costs more than the steps themselves.
TEST_F(CalculationTest, TypedResistancesGiveTheOutputVoltage) {
  {
    SCOPED_TRACE("both boxes empty: R1 = R2 = 0 gives 0/0");
    ASSERT_TRUE(FocusIs(r1()));
    ClickButton();
    EXPECT_TRUE(Shows(vout(), "-1.#INDV")) << TextOf(vout());
  }
  {
    SCOPED_TRACE("240 and 720");
    PressKeys({VK_TAB});  // from the button round to R1
    ASSERT_TRUE(FocusIs(r1()));
    TypeAscii("240");
    ASSERT_TRUE(Shows(r1(), "240"));
    PressKeys({VK_TAB});
    ASSERT_TRUE(FocusIs(r2()));
    TypeAscii("720");
    ASSERT_TRUE(Shows(r2(), "720"));
    ClickButton();
    // 1.25 * (1 + 720/240) + 0.00005 * 720 = 5 + 0.036
    EXPECT_TRUE(Shows(vout(), "5.036V")) << TextOf(vout());
  }
  {
    SCOPED_TRACE("a second click with the same inputs");
    ClickButton();
    ASSERT_TRUE(FocusIs(button_));
    EXPECT_TRUE(Shows(vout(), "5.036V")) << TextOf(vout());
  }
  {
    SCOPED_TRACE("1.2.3 typed and the button clicked at once");
    PressKeys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(FocusIs(r2()));
    Erase(r2());
    TypeAscii("1.2.3");
    ASSERT_TRUE(Shows(r2(), "1.2.3"));
    ClickButton();
    // The press took the focus first, so the box was read as 1.2:
    // 1.25 * (1 + 1.2/240) + 0.00005 * 1.2 = 1.25625 + 0.00006
    EXPECT_TRUE(Shows(vout(), "1.25631V")) << TextOf(vout());
    EXPECT_EQ(TextOf(r2()), "1.2");
  }
  {
    SCOPED_TRACE("Enter on the focused button does not calculate, Space does");
    PressKeys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(FocusIs(r2()));
    Erase(r2());
    TypeAscii("360");
    PressKeys({VK_TAB});
    ASSERT_TRUE(FocusIs(button_));
    PressKeys({VK_RETURN});
    Sleep(kNoEffectMs);
    EXPECT_EQ(TextOf(vout()), "1.25631V");
    PressKeys({VK_SPACE});
    // 1.25 * (1 + 360/240) + 0.00005 * 360 = 3.125 + 0.018
    EXPECT_TRUE(Shows(vout(), "3.143V")) << TextOf(vout());
  }
}

}  // namespace
}  // namespace tamrel::app::testing
