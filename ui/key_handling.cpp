// What the window does with keyboard and mouse messages before they are
// dispatched: its own keys (Tab, Shift+Tab, Enter, Esc), then the input event
// of whichever of its windows receives the message.
#include <algorithm>

#include "ui/window_state.h"

namespace tamrel::ui {
namespace {

enum Modifier : unsigned { kNone = 0, kShift = 1, kControl = 2, kAlt = 4 };

unsigned ModifiersNow() {
  unsigned modifiers = kNone;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= kControl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= kAlt;
  return modifiers;
}

struct InputEvent {
  UINT message;
  std::int32_t event;
};
constexpr InputEvent kInputEvents[] = {
    {WM_LBUTTONDOWN, kLeftButtonDownEvent},
    {WM_LBUTTONUP, kLeftButtonUpEvent},
    {WM_LBUTTONDBLCLK, kLeftDoubleClickEvent},
    {WM_RBUTTONDOWN, kRightButtonDownEvent},
    {WM_RBUTTONUP, kRightButtonUpEvent},
    {WM_MOUSEMOVE, kMouseMoveEvent},
    {WM_KEYDOWN, kKeyDownEvent},
    {WM_SYSKEYDOWN, kKeyDownEvent},
    {WM_KEYUP, kKeyUpEvent},
    {WM_SYSKEYUP, kKeyUpEvent},
    {WM_CHAR, kCharacterEvent},
    {WM_SYSCHAR, kCharacterEvent},
    {WM_MOUSEWHEEL, kWheelEvent},
};

bool IsDefaultPushButton(const Control& control) {
  const HWND handle = control.handle();
  return control.description().kind == ControlKind::kButton && IsWindowEnabled(handle) &&
         (GetWindowLongPtrW(handle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// Tab and Shift+Tab: the next or previous control of the cycle, wrapping.
bool MoveFocus(const Window::State& state, const Control* focused, bool backwards) {
  const std::vector<const Control*> cycle = TabCycle(state.controls);
  const auto here = std::ranges::find(cycle, focused);
  if (focused == nullptr || here == cycle.end()) return true;
  const std::size_t size = cycle.size();
  const std::size_t index = static_cast<std::size_t>(here - cycle.begin());
  SetFocus(cycle[(index + (backwards ? size - 1 : 1)) % size]->handle());
  return true;
}

// Enter clicks a default push button: the focused one, else the first in
// description order. Without one the key goes on to the focused control.
bool PressEnter(const Window::State& state, const Control* focused) {
  if (focused != nullptr && IsDefaultPushButton(*focused)) {
    focused->RaiseOwnEvent(kClickEvent);
    return true;
  }
  const auto first = std::ranges::find_if(
      state.controls, [](const auto& control) { return IsDefaultPushButton(*control); });
  if (first == state.controls.end()) return false;
  (*first)->RaiseOwnEvent(kClickEvent);
  return true;
}

// True when the window consumed the key.
bool HandleKey(const Window::State& state, WPARAM key) {
  const Control* focused = state.ControlOf(GetFocus());
  if (focused != nullptr && focused->ClaimsKey(key)) return false;
  const unsigned modifiers = ModifiersNow();
  switch (key) {
    case VK_TAB:
      if (modifiers == kNone || modifiers == kShift) {
        return MoveFocus(state, focused, modifiers == kShift);
      }
      return false;
    case VK_RETURN:
      return modifiers == kNone && PressEnter(state, focused);
    case VK_ESCAPE:
      if (modifiers == kNone && state.description.esc_closes) {
        SendMessageW(state.handle, WM_CLOSE, 0, 0);
        return true;
      }
      return false;
    default:
      return false;
  }
}

void RaiseInputEvent(const Window::State& state, const MSG& message) {
  const auto input = std::ranges::find(kInputEvents, message.message, &InputEvent::message);
  if (input == std::end(kInputEvents)) return;
  if (message.hwnd == state.handle) {
    state.RaiseOwnEvent(input->event);
  } else if (const Control* control = state.ControlOf(message.hwnd)) {
    control->RaiseOwnEvent(input->event);
  }
}

}  // namespace

bool Window::PreTranslateMessage(const MSG& message) {
  const State& state = *state_;
  if (state.handle == nullptr ||
      (message.hwnd != state.handle && !IsChild(state.handle, message.hwnd))) {
    return false;
  }
  const bool key_down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  if (key_down && HandleKey(state, message.wParam)) return true;
  RaiseInputEvent(state, message);
  return false;
}

}  // namespace tamrel::ui
