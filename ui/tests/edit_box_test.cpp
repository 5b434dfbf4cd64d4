// The edit boxes and labels of the main window: what can be typed, how the
// text is tidied when the focus leaves, the content operations, the events,
// and how they look on the screen.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "calc/main_window_ids.h"
#include "ui/gdi_handles.h"
#include "ui/tests/window_fixture.h"

namespace tamrel::ui::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Selection = std::pair<DWORD, DWORD>;

Selection SelectionOf(HWND box) {
  DWORD start = 0, end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

int TextHeightIn(HFONT font, const wchar_t* text) {
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const SelectedObject selected(dc.get(), font);
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text, static_cast<int>(wcslen(text)), &size);
  return size.cy;
}

class EditBoxTest : public WindowTest {
 protected:
  HWND Box1() const { return Control(kEditBox1); }
  HWND Box2() const { return Control(kEditBox2); }
  HWND Box3() const { return Control(kEditBox3); }

  // Puts `text` into the focused first box, by typing when it can be typed
  // and by pasting otherwise, then moves the focus on with Tab.
  std::wstring TextAfterLeaving(const std::wstring& text, bool paste) {
    EXPECT_TRUE(FocusControl(Box1()));
    SendMessageW(Box1(), EM_SETSEL, 0, -1);
    EXPECT_TRUE(PressKey(VK_DELETE));
    if (paste) {
      Paste(Box1(), text);
    } else {
      EXPECT_TRUE(Type(text));
    }
    EXPECT_EQ(TextOf(Box1()), text) << "before the focus leaves";
    EXPECT_TRUE(PressKey(VK_TAB));
    EXPECT_EQ(GetFocus(), Box2());
    return TextOf(Box1());
  }
};

TEST_F(EditBoxTest, OnlyDigitsMinusAndPointCanBeTyped) {
  ASSERT_TRUE(Type(L"12a3"));
  EXPECT_EQ(TextOf(Box1()), L"123");
  ASSERT_TRUE(Type(L"k e+"));
  ASSERT_TRUE(Type(L"\xFF11"));  // a full-width digit
  EXPECT_EQ(TextOf(Box1()), L"123");
  ASSERT_TRUE(Type(L"-.-.9"));
  EXPECT_EQ(TextOf(Box1()), L"123-.-.9");
  ASSERT_TRUE(PressKey(VK_BACK));  // control characters pass
  EXPECT_EQ(TextOf(Box1()), L"123-.-.");
}

TEST_F(EditBoxTest, TheTextIsTidiedWhenTheFocusLeaves) {
  struct Case {
    const wchar_t* text;
    bool paste;  // the text cannot be typed
    const wchar_t* tidied;
  };
  const Case cases[] = {
      {L"007", false, L"7"},
      {L".5", false, L"0.5"},
      {L"5.", false, L"5"},
      {L"4.70", false, L"4.7"},
      {L"0.1234567890123456", false, L"0.1234567890123"},
      {L"1.2.3", false, L"1.2"},
      {L"12-3", false, L"12"},
      {L"0", false, L""},
      {L"-0", false, L""},
      {L"0.000", false, L""},
      {L"-", false, L""},
      {L".", false, L""},
      {L"--5", false, L""},
      {L"", false, L""},
      {L"10000000000000", false, L"1e+013"},
      {L"0.00001", false, L"1e-005"},
      {L"-240", false, L"-240"},
      {L"1e999", true, L"1.#INF"},
      {L"2k2", true, L"2"},
      {L"abc", true, L""},
      {L" 42", true, L"42"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "text \"" << ::testing::PrintToString(std::wstring(c.text)) << "\"");
    EXPECT_EQ(TextAfterLeaving(c.text, c.paste), c.tidied);
  }
}

TEST_F(EditBoxTest, AnInfinityReadsAsOneTheNextTimeTheFocusLeaves) {
  EXPECT_EQ(TextAfterLeaving(L"1e999", true), L"1.#INF");
  ASSERT_TRUE(PressKey(VK_TAB, {VK_SHIFT}));
  ASSERT_EQ(GetFocus(), Box1());
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_EQ(TextOf(Box1()), L"1");
}

TEST_F(EditBoxTest, PastedTextIsNotFilteredButTidiedAtFocusLoss) {
  ASSERT_TRUE(PressKey(VK_TAB));
  Paste(Box2(), L"2k2");
  EXPECT_EQ(TextOf(Box2()), L"2k2");
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_EQ(TextOf(Box2()), L"2");
}

TEST_F(EditBoxTest, RaisesContentChangedForTypingAndForTheTidyingBeforeLostFocus) {
  dispatch_.Clear();
  ASSERT_TRUE(Type(L"007"));
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_THAT(dispatch_.EventsOf(kEditBox1),
              ElementsAre(kContentChangedEvent, kContentChangedEvent, kContentChangedEvent,
                          kContentChangedEvent, kLostFocusEvent));
  EXPECT_THAT(dispatch_.EventsOf(kEditBox2), ElementsAre(kGotFocusEvent));
}

TEST_F(EditBoxTest, ANormalTextIsLeftAloneButTheLostFocusEventStillComes) {
  ASSERT_TRUE(Type(L"240"));
  SendMessageW(Box1(), EM_SETSEL, 1, 2);
  dispatch_.Clear();
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_EQ(TextOf(Box1()), L"240");
  EXPECT_THAT(dispatch_.EventsOf(kEditBox1), ElementsAre(kLostFocusEvent));
  EXPECT_EQ(SelectionOf(Box1()), Selection(1, 2));  // no replacement
}

TEST_F(EditBoxTest, TheCaretStaysWhereTheSelectionStartedAndTabBackSelectsNothing) {
  ASSERT_TRUE(Type(L"4.70"));
  ASSERT_TRUE(PressKey(VK_LEFT));
  ASSERT_TRUE(PressKey(VK_LEFT));
  ASSERT_EQ(SelectionOf(Box1()), Selection(2, 2));
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_EQ(TextOf(Box1()), L"4.7");
  EXPECT_EQ(SelectionOf(Box1()), Selection(2, 2));
  ASSERT_TRUE(PressKey(VK_TAB, {VK_SHIFT}));
  ASSERT_EQ(GetFocus(), Box1());
  EXPECT_EQ(SelectionOf(Box1()), Selection(2, 2));
  // A caret beyond the new end is held at the end.
  ASSERT_TRUE(PressKey(VK_END));
  ASSERT_TRUE(Type(L"000"));
  ASSERT_TRUE(PressKey(VK_TAB));
  EXPECT_EQ(TextOf(Box1()), L"4.7");
  EXPECT_EQ(SelectionOf(Box1()), Selection(3, 3));
}

TEST_F(EditBoxTest, ABoxNeverFocusedBeforeGetsTheCaretBeforeItsFirstCharacter) {
  WriteEditBoxContent(Box2(), "720");
  ASSERT_TRUE(PressKey(VK_TAB));
  ASSERT_EQ(GetFocus(), Box2());
  EXPECT_EQ(SelectionOf(Box2()).second, SelectionOf(Box2()).first);
}

TEST_F(EditBoxTest, WriteContentShowsTheTextExactlyAndRaisesOneEventPerWrite) {
  dispatch_.Clear();
  WriteEditBoxContent(Box3(), "5.036V");
  EXPECT_EQ(TextOf(Box3()), L"5.036V");
  EXPECT_EQ(ReadEditBoxContent(Box3()), "5.036V");
  EXPECT_THAT(dispatch_.EventsOf(kEditBox3), ElementsAre(kContentChangedEvent));
  WriteEditBoxContent(Box3(), "5.036V");
  EXPECT_THAT(dispatch_.EventsOf(kEditBox3),
              ElementsAre(kContentChangedEvent, kContentChangedEvent));
  WriteEditBoxContent(Box3(), nullptr);
  EXPECT_EQ(TextOf(Box3()), L"");
  EXPECT_EQ(ReadEditBoxContent(Box3()), "");
  EXPECT_EQ(dispatch_.EventsOf(kEditBox3).size(), 3u);
  // Neither the filter nor the tidying applies to a write, even in a box
  // that has the focus.
  WriteEditBoxContent(Box1(), "abc");
  EXPECT_EQ(TextOf(Box1()), L"abc");
}

TEST_F(EditBoxTest, ContentCrossesThePlatformAsUtf16AndComesBackAsGbk) {
  WriteEditBoxContent(Box3(), "\xA6\xB8 \xBC\xC6");  // "Ω 计"
  EXPECT_EQ(TextOf(Box3()), L"\x03A9 \x8BA1");
  EXPECT_EQ(ReadEditBoxContent(Box3()), "\xA6\xB8 \xBC\xC6");
}

TEST_F(EditBoxTest, TheDisabledBoxTakesNeitherTabNorClicks) {
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(PressKey(VK_TAB));
    EXPECT_NE(GetFocus(), Box3());
  }
  RECT box{};
  GetWindowRect(Box3(), &box);
  ASSERT_TRUE(ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2}));
  EXPECT_NE(GetFocus(), Box3());
  EXPECT_THAT(dispatch_.EventsOf(kEditBox3), IsEmpty());
}

TEST_F(EditBoxTest, TheTextBandIsOneLineHighAndCentred) {
  const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const int line = TextHeightIn(font, L"W");
  const int least = TextHeightIn(font, L"\x5434") + 2 * GetSystemMetrics(SM_CYEDGE);
  ASSERT_LE(least, 20) << "the 20-pixel boxes would have grown";
  for (HWND box : {Box1(), Box2(), Box3()}) {
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)), font);
    RECT window{}, band{};
    GetWindowRect(box, &window);
    GetClientRect(box, &band);
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&band), 2);
    // One pixel of frame line, then the band centred in the 18 rows inside.
    EXPECT_EQ(window.bottom - window.top, 20);
    EXPECT_EQ(band.left - window.left, 1);
    EXPECT_EQ(window.right - band.right, 1);
    EXPECT_EQ(band.top - window.top, 1 + (18 - line) / 2);
    EXPECT_EQ(band.bottom - band.top, line);
    EXPECT_EQ(GetWindowLongPtrW(box, GWL_EXSTYLE), 0);
    EXPECT_EQ(SendMessageW(box, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
  }
}

TEST_F(EditBoxTest, TheStripsAroundTheBandCountAsFrame) {
  RECT window{}, band{};
  GetWindowRect(Box1(), &window);
  GetClientRect(Box1(), &band);
  MapWindowPoints(Box1(), nullptr, reinterpret_cast<POINT*>(&band), 2);
  const auto hit = [&](LONG x, LONG y) {
    return SendMessageW(Box1(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
  };
  EXPECT_EQ(hit(band.left + 3, band.top - 1), HTBORDER);
  EXPECT_EQ(hit(band.left + 3, band.bottom), HTBORDER);
  EXPECT_EQ(hit(band.left + 3, band.top), HTCLIENT);
  EXPECT_EQ(hit(window.left, window.top), HTBORDER);
}

TEST_F(EditBoxTest, AClickInTheStripAboveOrBelowTheBandDoesNotPlaceTheCaret) {
  ASSERT_TRUE(Type(L"123"));
  RECT band{};
  GetClientRect(Box1(), &band);
  MapWindowPoints(Box1(), nullptr, reinterpret_cast<POINT*>(&band), 2);
  ASSERT_GE(band.top - 1, 0);
  for (LONG y : {band.top - 1, band.bottom}) {
    ASSERT_TRUE(ClickAt({band.left + 2, y}));
    EXPECT_EQ(SelectionOf(Box1()), Selection(3, 3));
  }
  // The same column inside the band puts the caret before the first digit.
  ASSERT_TRUE(ClickAt({band.left + 2, band.top + 2}));
  EXPECT_EQ(SelectionOf(Box1()), Selection(0, 0));
}

TEST_F(EditBoxTest, AnswersItsColoursForTheNormalAndTheDisabledState) {
  for (const auto& [box, message] :
       {std::pair{Box1(), WM_CTLCOLOREDIT}, std::pair{Box3(), WM_CTLCOLORSTATIC}}) {
    const WindowDc dc(box);
    SetTextColor(dc.get(), RGB(1, 2, 3));
    SetBkColor(dc.get(), RGB(4, 5, 6));
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(window_->handle(), message,
                                                             reinterpret_cast<WPARAM>(dc.get()),
                                                             reinterpret_cast<LPARAM>(box)));
    EXPECT_EQ(GetTextColor(dc.get()), RGB(0, 0, 0));
    EXPECT_EQ(GetBkColor(dc.get()), RGB(255, 255, 255));
    LOGBRUSH logical{};
    ASSERT_EQ(GetObjectW(brush, sizeof logical, &logical), static_cast<int>(sizeof logical));
    EXPECT_EQ(logical.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(logical.lbColor, RGB(255, 255, 255));
  }
}

TEST_F(EditBoxTest, BoxesAreWhiteInsideAOnePixelFrame) {
  WriteEditBoxContent(Box3(), "5.036V");
  ASSERT_TRUE(BringToFront());
  for (HWND box : {Box2(), Box3()}) {
    const ScreenPixels shown = ReadWindowPixels(box);
    ASSERT_EQ(shown.width, 56);
    ASSERT_EQ(shown.height, 20);
    const std::uint32_t frame = shown.At(0, 0);
    EXPECT_NE(frame, 0xFFFFFFu);
    int frame_pixels = 0, white = 0, other = 0;
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        const bool edge = x == 0 || y == 0 || x == shown.width - 1 || y == shown.height - 1;
        const std::uint32_t pixel = shown.At(x, y);
        if (edge) {
          frame_pixels += pixel == frame;
        } else if (pixel == 0xFFFFFF) {
          ++white;
        } else {
          ++other;
        }
      }
    }
    EXPECT_EQ(frame_pixels, 2 * 56 + 2 * 18);
    if (box == Box2()) {
      EXPECT_EQ(other, 0) << "an empty box is white inside";
    } else {
      // The text's glyphs stand inside the band only.
      RECT band{};
      GetClientRect(box, &band);
      EXPECT_GT(other, 0);
      for (int y = 1; y < shown.height - 1; ++y) {
        const bool in_band =
            y >= 1 + (18 - band.bottom) / 2 && y < 1 + (18 - band.bottom) / 2 + band.bottom;
        if (in_band) continue;
        for (int x = 1; x < shown.width - 1; ++x)
          EXPECT_EQ(shown.At(x, y), 0xFFFFFFu) << x << "," << y;
      }
    }
  }
}

// Each label shows its text, left-aligned and centred vertically, in black
// on the window's surface: the same pixels as the text drawn at the top of a
// strip one line high, moved down by half the spare height.
TEST_F(EditBoxTest, LabelsShowOnlyTheirTextOnTheButtonFace) {
  const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const std::uint32_t face = [] {
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return (std::uint32_t{GetRValue(c)} << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }();
  for (ControlId id : {kLabel1, kLabel2, kLabel3, kLabel4, kLabel5, kLabel6}) {
    SCOPED_TRACE(::testing::Message() << std::hex << id);
    const HWND label = Control(id);
    const ScreenPixels shown = ReadWindowPixels(label);
    const std::wstring text = TextOf(label);

    // The reference: the text in the same font at the top-left of a white
    // strip, as black-on-white ink.
    const int line = TextHeightIn(font, L"W");
    const WindowDc screen(nullptr);
    const UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), shown.width, line));
    const SelectedObject selected_bitmap(dc.get(), bitmap.get());
    const SelectedObject selected_font(dc.get(), font);
    RECT strip{0, 0, shown.width, line};
    FillRect(dc.get(), &strip, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(0, 0, 0));
    DrawTextW(dc.get(), text.c_str(), -1, &strip, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
    const int offset = (shown.height - line) / 2;
    int ink = 0, wrong = 0;
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        const int ry = y - offset;
        const bool inked = ry >= 0 && ry < line && GetPixel(dc.get(), x, ry) != RGB(255, 255, 255);
        const std::uint32_t pixel = shown.At(x, y);
        if (inked) {
          ++ink;
          wrong += pixel != 0x000000;
        } else {
          wrong += pixel != face;
        }
      }
    }
    EXPECT_GT(ink, 0);
    EXPECT_EQ(wrong, 0);
  }
}

// A box lower than its tallest character and its edges is made that tall.
TEST(EditBoxCreationTest, ALowBoxGrowsToTheHeightOfItsTallestCharacter) {
  const ControlDescription controls[] = {
      {"\xB1\xE0\xBC\xAD\xBF\xF2"
       "1",
       kEditBox1, ControlKind::kEditBox, 10, 20, 56, 8, "", true, false, true, 0},
  };
  const WindowDescription description{.id = kMainWindow,
                                      .record = kMainWindowRecord,
                                      .title = "",
                                      .width = 200,
                                      .height = 100,
                                      .esc_closes = true,
                                      .visible = true,
                                      .controls = controls,
                                      .bindings = {}};
  const std::unique_ptr<Window> window = Window::Create(description, nullptr);
  ASSERT_NE(window, nullptr);
  const HWND box = window->FindControl(kEditBox1);
  const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  RECT place{};
  GetWindowRect(box, &place);
  MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 10);
  EXPECT_EQ(place.top, 20);
  EXPECT_EQ(place.right - place.left, 56);
  EXPECT_EQ(place.bottom - place.top,
            TextHeightIn(font, L"\x5434") + 2 * GetSystemMetrics(SM_CYEDGE));
}

}  // namespace
}  // namespace tamrel::ui::testing
