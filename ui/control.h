// What the window knows of each of its controls, whatever their kind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/window_description.h"

namespace tamrel::ui {

// The window hands each notification and colour query of a control back to
// that control with these messages (same wParam and lParam as the original).
inline constexpr UINT kReflectedCommand = WM_APP + 0x101;
inline constexpr UINT kReflectedColourQuery = WM_APP + 0x102;  // answers a brush, or 0

class Control {
 public:
  Control(const ControlDescription& description, WindowId window)
      : description_(description), window_(window) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND handle() const { return handle_; }
  const ControlDescription& description() const { return description_; }

  // Asked before the window's key handling acts on a key-down; true when the
  // control wants the key itself.
  virtual bool ClaimsKey(WPARAM key) const;

  // Raises one of the control's events, with no arguments.
  void RaiseOwnEvent(std::int32_t event) const;

 protected:
  // Creates the control's platform window: a hidden child clipped against
  // its siblings at the description's place and size, disabled and a tab
  // stop as the flags say, with the kind's own style added.
  bool CreateHandle(HWND parent, const wchar_t* window_class, DWORD kind_style,
                    std::wstring_view text, void* creation_data);

  HWND handle_ = nullptr;

 private:
  const ControlDescription& description_;
  WindowId window_;
};

using ControlCreator = std::unique_ptr<Control> (*)(HWND parent, const ControlDescription&,
                                                    WindowId window);

// Each returns nullptr when the platform refuses to make the control.
std::unique_ptr<Control> CreateLabel(HWND parent, const ControlDescription&, WindowId window);
std::unique_ptr<Control> CreateEditBox(HWND parent, const ControlDescription&, WindowId window);
std::unique_ptr<Control> CreateButton(HWND parent, const ControlDescription&, WindowId window);
std::unique_ptr<Control> CreatePictureBox(HWND parent, const ControlDescription&, WindowId window);

// A control of `Kind` (a Control with `bool Create(HWND parent)`) made with
// its platform window, or nullptr when the platform refuses it.
template <typename Kind>
std::unique_ptr<Control> MakeControl(HWND parent, const ControlDescription& description,
                                     WindowId window) {
  auto control = std::make_unique<Kind>(description, window);
  if (!control->Create(parent)) return nullptr;
  return control;
}

// Registers a window class of our own once; false when the platform refuses.
bool RegisterOwnClass(const wchar_t* name, WNDPROC procedure, HBRUSH background);

}  // namespace tamrel::ui
