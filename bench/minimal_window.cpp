// The yardstick for start-up and footprint: a Win32 program with one plain
// window and nothing else, built with the same compiler, runtime and
// flags as tamrel.exe.
//
// Built with WITH_COMMON_CONTROLS (and tamrel.exe's manifest) it also puts a
// push button and an edit box of the common controls 6 in the window: the
// platform's share of tamrel.exe's start-up, without any of tamrel's code.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

namespace {

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*command_line*/, int show) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = &WindowProcedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"TamrelBenchMinimal";
  if (RegisterClassW(&window_class) == 0) return 1;
  const HWND window =
      CreateWindowExW(0, window_class.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 460, 300, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
#ifdef WITH_COMMON_CONTROLS
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  CreateWindowExW(0, WC_BUTTONW, L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 30,
                  window, nullptr, instance, nullptr);
  CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 50,
                  200, 24, window, nullptr, instance, nullptr);
#endif
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
