// The push button: the platform's own BUTTON, which raises our events for
// its clicks and its focus changes.

#include "ui/common_controls.h"
#include "ui/control.h"
#include "ui/events.h"
#include "ui/gbk_text.h"

namespace tamrel::ui {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;

class Button final : public Control {
 public:
  using Control::Control;

  bool Create(HWND parent) {
    if (!CreateHandle(parent, WC_BUTTONW, kButtonStyle, GbkToWide(description().text), nullptr) ||
        !SetWindowSubclass(handle_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
      return false;
    }
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return true;
  }

 private:
  // BN_CLICKED, handed back by the window; the result of the handler is of
  // no interest to the button.
  LRESULT OnReflectedCommand(WPARAM wparam) {
    if (HIWORD(wparam) == BN_CLICKED) RaiseOwnEvent(kClickEvent);
    return 0;
  }

  LRESULT OnSetFocus(UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = DefSubclassProc(handle_, message, wparam, lparam);
    RaiseOwnEvent(kGotFocusEvent);
    return result;
  }

  LRESULT OnKillFocus(UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = DefSubclassProc(handle_, message, wparam, lparam);
    RaiseOwnEvent(kLostFocusEvent);
    return result;
  }

  LRESULT OnNcDestroy(UINT message, WPARAM wparam, LPARAM lparam) {
    RemoveWindowSubclass(handle_, Procedure, kSubclassId);
    return DefSubclassProc(handle_, message, wparam, lparam);
  }

  static LRESULT CALLBACK Procedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR, DWORD_PTR data) {
    auto& self = *reinterpret_cast<Button*>(data);
    switch (message) {
      case kReflectedCommand:
        return self.OnReflectedCommand(wparam);
      case WM_SETFOCUS:
        return self.OnSetFocus(message, wparam, lparam);
      case WM_KILLFOCUS:
        return self.OnKillFocus(message, wparam, lparam);
      case WM_NCDESTROY:
        return self.OnNcDestroy(message, wparam, lparam);
      default:
        return DefSubclassProc(button, message, wparam, lparam);
    }
  }
};

}  // namespace

std::unique_ptr<Control> CreateButton(HWND parent, const ControlDescription& description,
                                      WindowId window) {
  return MakeControl<Button>(parent, description, window);
}

}  // namespace tamrel::ui
