// The inside of a live window, shared by the files that handle its messages.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/control.h"
#include "ui/events.h"
#include "ui/gdi_handles.h"
#include "ui/window.h"

namespace tamrel::ui {

struct Window::State {
  explicit State(const WindowDescription& d) : description(d) {}

  const WindowDescription& description;
  HWND handle = nullptr;
  std::vector<std::unique_ptr<Control>> controls;  // description order
  HWND remembered_focus = nullptr;                 // the control focused at deactivation
  bool activated_before = false;
  UniqueIcon large_icon;
  UniqueIcon small_icon;
  void (*destroyed_callback)(void* context) = nullptr;
  void* destroyed_context = nullptr;

  // The control whose platform window this is, or nullptr.
  const Control* ControlOf(HWND control) const;
  // Raises one of the window's own events; the record's answer is kept.
  EventRecord RaiseOwnEvent(std::int32_t event) const;
};

// The controls that Tab visits, in the order it visits them: visible,
// enabled and able to take the focus, by tab order and, for equal tab
// orders, from the last of the description to the first.
std::vector<const Control*> TabCycle(const std::vector<std::unique_ptr<Control>>& controls);

}  // namespace tamrel::ui
