#include "ui/control.h"

#include <string>

#include "ui/events.h"

namespace tamrel::ui {

bool Control::ClaimsKey(WPARAM) const { return false; }

void Control::RaiseOwnEvent(std::int32_t event) const {
  EventRecord record{.window = window_, .control = description_.id, .event = event};
  RaiseEvent(record);
}

bool Control::CreateHandle(HWND parent, const wchar_t* window_class, DWORD kind_style,
                           std::wstring_view text, void* creation_data) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind_style;
  if (description_.disabled) style |= WS_DISABLED;
  if (description_.can_take_focus) style |= WS_TABSTOP;
  const std::wstring caption(text);
  handle_ = CreateWindowExW(0, window_class, caption.c_str(), style, description_.left,
                            description_.top, description_.width, description_.height, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(description_.id)),
                            GetModuleHandleW(nullptr), creation_data);
  return handle_ != nullptr;
}

bool RegisterOwnClass(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(WNDCLASSEXW);
  if (GetClassInfoExW(instance, name, &window_class)) return true;
  window_class.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class) != 0;
}

}  // namespace tamrel::ui
