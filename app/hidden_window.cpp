#include "app/hidden_window.h"

namespace tamrel::app {
namespace {

constexpr wchar_t kClassName[] = L"TamrelHiddenOwner";

}  // namespace

bool HiddenWindow::Create() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  window_class.lpszClassName = kClassName;
  window_class_ = RegisterClassExW(&window_class);
  if (window_class_ == 0) {
    return false;
  }
  // No style bits at all: the window is never visible.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                            instance, nullptr);
  if (handle_ == nullptr) {
    Destroy();
    return false;
  }
  return true;
}

void HiddenWindow::Destroy() {
  if (handle_ != nullptr) {
    DestroyWindow(handle_);
    handle_ = nullptr;
  }
  if (window_class_ != 0) {
    UnregisterClassW(kClassName, GetModuleHandleW(nullptr));
    window_class_ = 0;
  }
}

}  // namespace tamrel::app
