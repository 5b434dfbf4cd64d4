// The main window as the program creates it: its settings, its controls, the
// focus, the keys it handles itself, the button and the picture.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cwctype>
#include <memory>
#include <optional>
#include <string>

#include "calc/main_window_ids.h"
#include "ui/gdi_handles.h"
#include "ui/jpeg_decoder.h"
#include "ui/schematic/schematic_picture.h"
#include "ui/tests/window_fixture.h"

namespace tamrel::ui::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  std::wstring lower(name);
  for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
  return lower;
}

RECT PlaceInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

POINT CentreOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

struct ExpectedControl {
  ControlId id;
  const wchar_t* window_class;
  LONG left, top, width, height;
  const wchar_t* text;
  DWORD style;  // WS_VISIBLE included
};

constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
constexpr DWORD kLabelStyle = kChild;
constexpr DWORD kEditStyle = kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_CENTER;
constexpr DWORD kButtonStyle = kChild | WS_TABSTOP | BS_MULTILINE | BS_CENTER | BS_VCENTER;

// Description order, which is also the stacking order from the top.
const ExpectedControl kLayout[] = {
    {kLabel6, L"tamrellabel", 344, 234, 16, 16, L"V", kLabelStyle},
    {kLabel5, L"tamrellabel", 211, 235, 16, 16, L"\x03A9", kLabelStyle},
    {kLabel4, L"tamrellabel", 88, 236, 16, 16, L"\x03A9", kLabelStyle},
    {kButton1, L"button", 372, 232, 88, 20, L"\x8BA1 \x7B97", kButtonStyle},
    {kEditBox3, L"edit", 285, 233, 56, 20, L"", kEditStyle | WS_DISABLED},
    {kEditBox2, L"edit", 152, 233, 56, 20, L"", kEditStyle},
    {kEditBox1, L"edit", 30, 233, 56, 20, L"", kEditStyle},
    {kLabel3, L"tamrellabel", 253, 232, 30, 20, L"Vout:", kLabelStyle},
    {kLabel2, L"tamrellabel", 132, 232, 20, 20, L"R2:", kLabelStyle},
    {kLabel1, L"tamrellabel", 8, 232, 20, 20, L"R1:", kLabelStyle},
    {kPictureBox1, L"tamrelpicturebox", 6, 8, 452, 223, L"", kChild},
};

using MainWindowTest = WindowTest;

TEST_F(MainWindowTest, IsCentredOnTheScreenAtItsFixedOuterSize) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  RECT outer{};
  GetWindowRect(window_->handle(), &outer);
  EXPECT_EQ(outer.left, 724);
  EXPECT_EQ(outer.top, 396);
  EXPECT_EQ(outer.right, 1196);
  EXPECT_EQ(outer.bottom, 683);
}

TEST_F(MainWindowTest, HasTheSettingsOfAnOwnedFixedDialogFrameWindow) {
  const HWND window = window_->handle();
  // The platform adds WS_CLIPSIBLINGS to every top-level window and
  // WS_EX_WINDOWEDGE to every one with a caption.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS),
            DWORD{WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU});
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner_);
  EXPECT_EQ(GetAncestor(window, GA_PARENT), GetDesktopWindow());  // top-level, not a child
  EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)),
            GetStockObject(NULL_BRUSH));
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(window, GCLP_HCURSOR)),
            LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_EQ(TextOf(window), L"Tamrel V1.0");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindowEnabled(window));
}

TEST_F(MainWindowTest, ShowsTheProgramIconAtBothSizes) {
  for (const auto& [which, size] : {std::pair{ICON_BIG, 32}, std::pair{ICON_SMALL, 16}}) {
    const auto icon =
        reinterpret_cast<HICON>(SendMessageW(window_->handle(), WM_GETICON, which, 0));
    ASSERT_NE(icon, nullptr) << "icon " << which;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    const UniqueBitmap colour(info.hbmColor);
    const UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(colour.get(), sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
  }
}

TEST_F(MainWindowTest, CreatesEveryControlOfTheLayout) {
  for (const ExpectedControl& expected : kLayout) {
    SCOPED_TRACE(::testing::Message() << std::hex << expected.id);
    const HWND control = Control(expected.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetParent(control), window_->handle());
    EXPECT_EQ(ClassOf(control), expected.window_class);
    const RECT place = PlaceInParent(control);
    EXPECT_EQ(place.left, expected.left);
    EXPECT_EQ(place.top, expected.top);
    EXPECT_EQ(place.right - place.left, expected.width);
    EXPECT_EQ(place.bottom - place.top, expected.height);
    EXPECT_EQ(TextOf(control), expected.text);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)), expected.style);
    EXPECT_EQ(GetWindowLongPtrW(control, GWL_EXSTYLE), 0);
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_EQ(IsWindowEnabled(control) != FALSE, (expected.style & WS_DISABLED) == 0);
  }
  EXPECT_EQ(window_->FindControl(0x12345678), nullptr);
}

TEST_F(MainWindowTest, StacksTheControlsInDescriptionOrder) {
  HWND control = GetWindow(window_->handle(), GW_CHILD);
  for (const ExpectedControl& expected : kLayout) {
    ASSERT_EQ(control, Control(expected.id)) << std::hex << expected.id;
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr);
}

TEST_F(MainWindowTest, GivesTheFocusToTheFirstEditBoxOnItsFirstActivation) {
  EXPECT_EQ(GetFocus(), Control(kEditBox1));
  // The window takes the focus and passes it on; 8 comes before the first 5.
  EXPECT_THAT(dispatch_.EventsOf(0),
              ElementsAre(kGotFocusEvent, kLostFocusEvent, kFirstActivationEvent, kActivatedEvent));
  EXPECT_THAT(dispatch_.EventsOf(kEditBox1), ElementsAre(kGotFocusEvent));
  EXPECT_THAT(dispatch_.EventsOf(kButton1), IsEmpty());
}

TEST_F(MainWindowTest, TabCyclesThroughTheEnabledBoxesAndTheButton) {
  const HWND forward[] = {Control(kEditBox2), Control(kButton1), Control(kEditBox1),
                          Control(kEditBox2)};
  for (HWND expected : forward) {
    ASSERT_TRUE(PressKey(VK_TAB));
    EXPECT_EQ(GetFocus(), expected);
  }
  const HWND backward[] = {Control(kEditBox1), Control(kButton1), Control(kEditBox2),
                           Control(kEditBox1)};
  for (HWND expected : backward) {
    ASSERT_TRUE(PressKey(VK_TAB, {VK_SHIFT}));
    EXPECT_EQ(GetFocus(), expected);
  }
  // The key itself never reached a box.
  EXPECT_EQ(TextOf(Control(kEditBox1)), L"");
  EXPECT_EQ(TextOf(Control(kEditBox2)), L"");
  EXPECT_THAT(dispatch_.EventsOf(kEditBox3), IsEmpty());
}

TEST_F(MainWindowTest, TabWithOtherModifiersDoesNotMoveTheFocus) {
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL}));
  EXPECT_EQ(GetFocus(), Control(kEditBox1));
  ASSERT_TRUE(PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT}));
  EXPECT_EQ(GetFocus(), Control(kEditBox1));
}

TEST_F(MainWindowTest, EscClosesTheWindow) {
  dispatch_.Clear();
  const HWND handle = window_->handle();
  std::vector<INPUT> esc(2);
  esc[0].type = esc[1].type = INPUT_KEYBOARD;
  esc[0].ki.wVk = esc[1].ki.wVk = VK_ESCAPE;
  esc[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ASSERT_EQ(SendInput(2, esc.data(), sizeof(INPUT)), 2u);
  ASSERT_TRUE(WaitFor([&] { return destroyed_; }));
  EXPECT_FALSE(window_->exists());
  EXPECT_EQ(window_->handle(), nullptr);
  EXPECT_FALSE(IsWindow(handle));
  const std::vector<std::int32_t> events = dispatch_.EventsOf(0);
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), kCloseRequestEvent);
  EXPECT_EQ(events.back(), kDestroyEvent);
}

TEST_F(MainWindowTest, EscWithShiftOrControlDoesNotClose) {
  ASSERT_TRUE(PressKey(VK_ESCAPE, {VK_SHIFT}));
  ASSERT_TRUE(PressKey(VK_ESCAPE, {VK_CONTROL}));
  EXPECT_TRUE(window_->exists());
  EXPECT_FALSE(destroyed_);
  EXPECT_THAT(dispatch_.EventsOf(0), ::testing::Not(::testing::Contains(kCloseRequestEvent)));
}

TEST_F(MainWindowTest, AnAnswerOfZeroToTheCloseRequestKeepsTheWindow) {
  dispatch_.close_answer = 0;
  SendMessageW(window_->handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(window_->exists());
  dispatch_.close_answer = 1;
  SendMessageW(window_->handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(window_->exists());
  EXPECT_TRUE(destroyed_);
}

TEST_F(MainWindowTest, SpaceClicksTheButtonAndEnterDoesNot) {
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(PressKey(VK_TAB));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(PressKey(VK_TAB));
  ASSERT_EQ(GetFocus(), Control(kButton1));
  ASSERT_TRUE(PressKey(VK_RETURN));
  EXPECT_THAT(dispatch_.EventsOf(kButton1), ElementsAre(kGotFocusEvent));
  ASSERT_TRUE(PressKey(VK_SPACE));
  EXPECT_THAT(dispatch_.EventsOf(kButton1), ElementsAre(kGotFocusEvent, kClickEvent));
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_THAT(dispatch_.EventsOf(kButton1),
              ElementsAre(kGotFocusEvent, kClickEvent, kLostFocusEvent));
}

TEST_F(MainWindowTest, EnterClicksAButtonThatIsADefaultPushButton) {
  const HWND button = Control(kButton1);
  SendMessageW(button, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER,
               FALSE);
  ASSERT_TRUE(PressKey(VK_RETURN));  // from the first box: the first default button
  EXPECT_THAT(dispatch_.EventsOf(kButton1), ElementsAre(kClickEvent));
}

TEST_F(MainWindowTest, AMouseClickOnTheButtonTakesTheFocusAndClicksOnce) {
  ASSERT_TRUE(ClickAt(CentreOf(Control(kButton1))));
  EXPECT_EQ(GetFocus(), Control(kButton1));
  EXPECT_THAT(dispatch_.EventsOf(kButton1), ElementsAre(kGotFocusEvent, kClickEvent));
  EXPECT_THAT(dispatch_.EventsOf(kEditBox1), ElementsAre(kGotFocusEvent, kLostFocusEvent));
}

TEST_F(MainWindowTest, ADoubleClickOnTheButtonIsTwoClicks) {
  ASSERT_TRUE(ClickAt(CentreOf(Control(kButton1))));
  ASSERT_TRUE(ClickAt(CentreOf(Control(kButton1))));
  ASSERT_THAT(dispatch_.InputEventsOf(kButton1), ::testing::Contains(kLeftDoubleClickEvent));
  EXPECT_THAT(dispatch_.EventsOf(kButton1), ElementsAre(kGotFocusEvent, kClickEvent, kClickEvent));
}

TEST_F(MainWindowTest, ClicksOnThePictureLabelsAndTheDisabledBoxLeaveTheFocus) {
  ASSERT_TRUE(PressKey(VK_TAB));
  const HWND focused = Control(kEditBox2);
  ASSERT_EQ(GetFocus(), focused);
  for (ControlId id : {kPictureBox1, kLabel1, kLabel4, kLabel3, kEditBox3}) {
    ASSERT_TRUE(ClickAt(CentreOf(Control(id)))) << std::hex << id;
    EXPECT_EQ(GetFocus(), focused) << std::hex << id;
  }
}

TEST_F(MainWindowTest, InputIsRaisedAsEventsOfTheWindowThatReceivesIt) {
  ASSERT_TRUE(ClickAt(CentreOf(Control(kLabel1))));
  EXPECT_THAT(dispatch_.InputEventsOf(kLabel1),
              ::testing::IsSupersetOf({kLeftButtonDownEvent, kLeftButtonUpEvent}));
  ASSERT_TRUE(Type(L"1"));
  EXPECT_THAT(dispatch_.InputEventsOf(kEditBox1),
              ::testing::IsSupersetOf({kKeyDownEvent, kCharacterEvent, kKeyUpEvent}));
  // The Tab that the window consumed reaches no one; its key-up goes to the
  // box that has the focus by then.
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_THAT(dispatch_.InputEventsOf(kEditBox2), ElementsAre(kKeyUpEvent));
}

TEST_F(MainWindowTest, GivesTheFocusBackToItsControlAfterSwitchingAway) {
  ASSERT_TRUE(PressKey(VK_TAB));
  ASSERT_EQ(GetFocus(), Control(kEditBox2));
  dispatch_.Clear();
  const HWND other =
      CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  const std::unique_ptr<HWND__, decltype(&DestroyWindow)> other_owner(other, &DestroyWindow);
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }));
  EXPECT_THAT(dispatch_.EventsOf(0), ::testing::Contains(kDeactivatedEvent));
  ASSERT_TRUE(BringToFront());
  EXPECT_TRUE(WaitFor([&] { return GetFocus() == Control(kEditBox2); }));
  EXPECT_THAT(dispatch_.EventsOf(0), ::testing::Contains(kActivatedEvent));
  EXPECT_THAT(dispatch_.EventsOf(0), ::testing::Not(::testing::Contains(kFirstActivationEvent)));
}

TEST_F(MainWindowTest, ThePictureBoxShowsTheDecodedSchematic) {
  const std::optional<DecodedImage> image = DecodePicture(SchematicJpeg());
  ASSERT_TRUE(image.has_value());
  const HWND box = Control(kPictureBox1);
  RECT client{};
  GetClientRect(box, &client);
  ASSERT_EQ(client.right, image->width);
  ASSERT_EQ(client.bottom, image->height);
  MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const ScreenPixels shown = ReadScreen(client);
  int differing = 0;
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned char* rgb = image->Pixel(x, y);
      const std::uint32_t expected = (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
      if (shown.At(x, y) != expected) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace tamrel::ui::testing
