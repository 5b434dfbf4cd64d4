// The edit box: the platform's single-line EDIT with our text band, colours,
// the decimal input mode and the content operations.

#include <string>

#include "calc/decimal_normalisation.h"
#include "calc/text_store.h"
#include "ui/colour.h"
#include "ui/common_controls.h"
#include "ui/control.h"
#include "ui/events.h"
#include "ui/gbk_text.h"
#include "ui/gdi_handles.h"
#include "ui/text_height.h"
#include "ui/window.h"

namespace tamrel::ui {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr DWORD kEditStyle = ES_AUTOHSCROLL | ES_CENTER;
constexpr DWORD kThreeDEdges = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_STATICEDGE;

// The settings that every edit box of the program shares.
constexpr std::uint32_t kTextColour = 0x000000;
constexpr std::uint32_t kBackgroundColour = 0xFFFFFF;
constexpr WPARAM kMaximumLength = 0;  // the platform's largest
constexpr int kInitialSelectionStart = 0;
constexpr int kInitialSelectionLength = 0;

// What decides the least height of a box, and the height of its text band.
constexpr wchar_t kTallestCharacter[] = L"\x5434";  // 吴
constexpr wchar_t kBandCharacter[] = L"W";

std::wstring BoxText(HWND box) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetBoxText(HWND box, const char* gbk) {
  SetWindowTextW(box, GbkToWide(gbk != nullptr ? gbk : "").c_str());
}

void RecomputeFrame(HWND box) {
  SetWindowPos(box, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box's rectangles in the coordinates of its own window DC.
struct FrameRects {
  RECT outer;
  RECT band;
};
FrameRects WindowRelativeRects(HWND box) {
  RECT window{};
  GetWindowRect(box, &window);
  RECT band{};
  GetClientRect(box, &band);
  MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&band), 2);
  OffsetRect(&band, -window.left, -window.top);
  OffsetRect(&window, -window.left, -window.top);
  return {window, band};
}

class EditBox final : public Control {
 public:
  using Control::Control;

  // The creation steps, in their order.
  bool Create(HWND parent) {
    background_.reset(CreateSolidBrush(COLORREF{kBackgroundColour}));
    if (!CreateHandle(parent, WC_EDITW, kEditStyle, GbkToWide(description().text), nullptr) ||
        !SetWindowSubclass(handle_, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
      return false;
    }
    GiveFont();
    RecomputeFrame(handle_);
    SendMessageW(handle_, EM_SETLIMITTEXT, kMaximumLength, 0);
    SendMessageW(handle_, EM_SETSEL, kInitialSelectionStart,
                 kInitialSelectionStart + kInitialSelectionLength);
    SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
    ApplyBorder();
    return true;
  }

  void WriteContent(const char* text) {
    writing_ = true;
    SetBoxText(handle_, text);
    writing_ = false;
    SendMessageW(handle_, WM_COMMAND, MAKEWPARAM(0, EN_CHANGE), reinterpret_cast<LPARAM>(handle_));
  }

  // Only a multi-line box that can be typed into claims Enter.
  bool ClaimsKey(WPARAM key) const override {
    const LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    return key == VK_RETURN && (style & ES_MULTILINE) != 0 && (style & ES_READONLY) == 0;
  }

  static EditBox* Of(HWND box) {
    DWORD_PTR data = 0;
    if (!GetWindowSubclass(box, Procedure, kSubclassId, &data)) return nullptr;
    return reinterpret_cast<EditBox*>(data);
  }

 private:
  // Grows the box to the height of its tallest character, if it is lower,
  // then gives it the stock font.
  void GiveFont() {
    const auto font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int least_height = TextHeight(font, kTallestCharacter) + 2 * GetSystemMetrics(SM_CYEDGE);
    if (description().height < least_height) {
      SetWindowPos(handle_, nullptr, 0, 0, description().width, least_height,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }

  // A plain frame line instead of any 3-D edge.
  void ApplyBorder() {
    SetWindowLongPtrW(handle_, GWL_EXSTYLE,
                      GetWindowLongPtrW(handle_, GWL_EXSTYLE) & ~kThreeDEdges);
    SetWindowLongPtrW(handle_, GWL_STYLE, GetWindowLongPtrW(handle_, GWL_STYLE) | WS_BORDER);
    RecomputeFrame(handle_);
  }

  // The text of the box at focus loss rewritten as the number it starts
  // with; the caret stays where the selection started.
  void Normalise() {
    const std::string text = WideToGbk(BoxText(handle_));
    const OwnedText normal(NormaliseDecimalText(text.c_str()));
    if (text == (normal.absent() ? "" : normal.get())) return;
    DWORD start = 0;
    SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SetBoxText(handle_, normal.get());
    SendMessageW(handle_, EM_SETSEL, start, start);
    SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
  }

  LRESULT OnCommand(WPARAM wparam) {
    switch (HIWORD(wparam)) {
      case EN_CHANGE:
        if (!writing_) RaiseOwnEvent(kContentChangedEvent);
        break;
      case EN_SETFOCUS:
        RaiseOwnEvent(kGotFocusEvent);
        break;
      case EN_KILLFOCUS:
        Normalise();
        RaiseOwnEvent(kLostFocusEvent);
        break;
    }
    return 0;
  }

  // Also the box's own WM_COMMAND: WriteContent notifies the box of its change.
  LRESULT OnSelfCommand(UINT message, WPARAM wparam, LPARAM lparam) {
    if (reinterpret_cast<HWND>(lparam) == handle_) return OnCommand(wparam);
    return DefSubclassProc(handle_, message, wparam, lparam);
  }

  LRESULT OnColourQuery(WPARAM wparam) {
    const auto dc = reinterpret_cast<HDC>(wparam);
    SetTextColor(dc, COLORREF{kTextColour});
    SetBkColor(dc, ResolveColour(kBackgroundColour));
    return reinterpret_cast<LRESULT>(background_.get());
  }

  // Characters outside the decimal set never reach the edit control.
  LRESULT OnChar(UINT message, WPARAM wparam, LPARAM lparam) {
    if (!IsDecimalInputCharacter(static_cast<unsigned>(wparam))) return 0;
    return DefSubclassProc(handle_, message, wparam, lparam);
  }

  // The client area is a band one line high, centred in the inner area.
  LRESULT OnNcCalcSize(UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = DefSubclassProc(handle_, message, wparam, lparam);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(handle_, WM_GETFONT, 0, 0));
    if (font == nullptr) return result;
    RECT& area = *reinterpret_cast<RECT*>(lparam);  // also the first of NCCALCSIZE_PARAMS
    const int line_height = TextHeight(font, kBandCharacter);
    area.top += (area.bottom - area.top - line_height) / 2;
    area.bottom = area.top + line_height;
    return result;
  }

  // The strips above and below the band are frame: filled with the
  // background, then the platform draws the frame line over them.
  LRESULT OnNcPaint(UINT message, WPARAM wparam, LPARAM lparam) {
    {
      const WindowDc dc(handle_, true);
      const FrameRects rects = WindowRelativeRects(handle_);
      ExcludeClipRect(dc.get(), rects.band.left, rects.band.top, rects.band.right,
                      rects.band.bottom);
      FillRect(dc.get(), &rects.outer, background_.get());
    }
    return DefSubclassProc(handle_, message, wparam, lparam);
  }

  LRESULT OnNcHitTest(UINT message, WPARAM wparam, LPARAM lparam) {
    const POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
    RECT window{};
    GetWindowRect(handle_, &window);
    POINT in_client = point;
    ScreenToClient(handle_, &in_client);
    RECT band{};
    GetClientRect(handle_, &band);
    if (PtInRect(&window, point) && !PtInRect(&band, in_client)) return HTBORDER;
    return DefSubclassProc(handle_, message, wparam, lparam);
  }

  LRESULT OnEraseBackground(WPARAM wparam) {
    RECT band{};
    GetClientRect(handle_, &band);
    FillRect(reinterpret_cast<HDC>(wparam), &band, background_.get());
    return 1;
  }

  LRESULT OnNcDestroy(UINT message, WPARAM wparam, LPARAM lparam) {
    RemoveWindowSubclass(handle_, Procedure, kSubclassId);
    return DefSubclassProc(handle_, message, wparam, lparam);
  }

  static LRESULT CALLBACK Procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                    DWORD_PTR data) {
    auto& self = *reinterpret_cast<EditBox*>(data);
    switch (message) {
      case kReflectedCommand:
        return self.OnCommand(wparam);
      case WM_COMMAND:
        return self.OnSelfCommand(message, wparam, lparam);
      case kReflectedColourQuery:
        return self.OnColourQuery(wparam);
      case WM_CHAR:
        return self.OnChar(message, wparam, lparam);
      case WM_NCCALCSIZE:
        return self.OnNcCalcSize(message, wparam, lparam);
      case WM_NCPAINT:
        return self.OnNcPaint(message, wparam, lparam);
      case WM_NCHITTEST:
        return self.OnNcHitTest(message, wparam, lparam);
      case WM_ERASEBKGND:
        return self.OnEraseBackground(wparam);
      case WM_NCDESTROY:
        return self.OnNcDestroy(message, wparam, lparam);
      default:
        return DefSubclassProc(box, message, wparam, lparam);
    }
  }

  UniqueBrush background_;
  bool writing_ = false;
};

}  // namespace

std::unique_ptr<Control> CreateEditBox(HWND parent, const ControlDescription& description,
                                       WindowId window) {
  return MakeControl<EditBox>(parent, description, window);
}

std::string ReadEditBoxContent(HWND box) { return WideToGbk(BoxText(box)); }

void WriteEditBoxContent(HWND box, const char* text) {
  if (EditBox* edit_box = EditBox::Of(box)) {
    edit_box->WriteContent(text);
  } else {
    SetBoxText(box, text);
  }
}

}  // namespace tamrel::ui
