// A live window made from its description: the top-level window and its
// controls. What the frame needs from it: creation, the key handling before
// dispatch, finding a control for property access, and closing.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ui/window_description.h"

namespace tamrel::ui {

class Window {
 public:
  // Creates the window and its controls (hidden until Show). The owner is the
  // frame's hidden window. nullptr when the platform refuses.
  static std::unique_ptr<Window> Create(const WindowDescription& description, HWND owner);

  ~Window();  // destroys the window if it still exists
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Shows the controls and then the window, which takes the focus.
  void Show();

  // The key handling of the window (Tab cycle, Esc); true when it consumed
  // the message, which is then neither translated nor dispatched.
  bool PreTranslateMessage(const MSG& message);

  HWND handle() const;
  bool exists() const;  // false once the platform window is destroyed
  const WindowDescription& description() const;

  // The live control with this id, or nullptr.
  HWND FindControl(ControlId id) const;

  // Called once the platform window has been destroyed (after its event 2).
  void SetDestroyedCallback(void (*callback)(void* context), void* context);

  // The inside of the window, known only to the files that handle its messages.
  struct State;

 private:
  Window() = default;
  std::unique_ptr<State> state_;
};

// The content of an edit box: GBK bytes, "" when empty.
std::string ReadEditBoxContent(HWND box);
// Replaces the whole text; raises the box's content-changed event once.
void WriteEditBoxContent(HWND box, const char* text);

}  // namespace tamrel::ui
