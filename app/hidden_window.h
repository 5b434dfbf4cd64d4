// The invisible tool window that owns every modal window, so that the
// program's window gets no taskbar button of its own.
#pragma once

#include <windows.h>

namespace tamrel::app {

class HiddenWindow {
 public:
  HiddenWindow() = default;
  ~HiddenWindow() { Destroy(); }
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;

  // False when the platform refuses the class or the window.
  bool Create();
  void Destroy();
  HWND handle() const { return handle_; }

 private:
  HWND handle_ = nullptr;
  ATOM window_class_ = 0;
};

}  // namespace tamrel::app
