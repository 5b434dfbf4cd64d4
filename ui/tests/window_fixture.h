// A live MainWindow made from the program's own description, shown and in
// front, with every event it raises recorded, and the means to drive it with
// real keyboard and mouse input and to read its pixels off the screen.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calc/property_access.h"
#include "ui/events.h"
#include "ui/window.h"

namespace tamrel::ui::testing {

class RecordingDispatch final : public EventDispatch {
 public:
  bool RaiseEvent(EventRecord& record) override;

  // The events of one source (0: the window itself), mouse and keyboard
  // input left out.
  std::vector<std::int32_t> EventsOf(ControlId control) const;
  // Only the mouse and keyboard input events of one source.
  std::vector<std::int32_t> InputEventsOf(ControlId control) const;
  void Clear() { records_.clear(); }

  // When set, the close request (event 1) is answered with this value.
  std::optional<std::int32_t> close_answer;

 private:
  std::vector<EventRecord> records_;
};

// The window text of a window or control, up to 255 characters.
std::wstring TextOf(HWND window);

// Pixels read from the screen, as 0x00RRGGBB.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  HWND Control(ControlId id) const { return window_->FindControl(id); }
  HWND FocusedWindow() const { return GetFocus(); }

  // Takes and handles the waiting messages the way the frame's loop does:
  // the window's key handling first, then translation and dispatch.
  void Pump();
  // Pumps until the condition holds; false after the time-out.
  template <typename Condition>
  bool WaitFor(Condition condition, DWORD timeout_ms = 5000) {
    const ULONGLONG deadline = GetTickCount64() + timeout_ms;
    for (;;) {
      Pump();
      if (condition()) return true;
      if (GetTickCount64() >= deadline) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }

  // Real keyboard input: the key with the given modifier keys held. Returns
  // once the window's thread has taken every key-up of it.
  bool PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
  // Types the characters of `text` as keyboard input.
  bool Type(const std::wstring& text);
  // A click of the left button at a point of the screen.
  bool ClickAt(POINT screen);
  // A click at a point given in a control's client coordinates.
  bool ClickInControl(HWND control, POINT client);
  // Text through the clipboard and the edit control's own paste.
  void Paste(HWND box, const std::wstring& text);
  // The box gets the focus, as if by a click.
  bool FocusControl(HWND control);

  bool BringToFront();
  // The screen's pixels under a window (the whole window rectangle).
  ScreenPixels ReadScreen(const RECT& screen);
  ScreenPixels ReadWindowPixels(HWND window);

  RecordingDispatch dispatch_;
  HWND owner_ = nullptr;
  std::unique_ptr<Window> window_;
  bool destroyed_ = false;

 private:
  std::array<int, 256> key_ups_{};
  int left_button_ups_ = 0;
  POINT last_button_up_{-1, -1};
  POINT last_mouse_move_{-1, -1};
};

}  // namespace tamrel::ui::testing
