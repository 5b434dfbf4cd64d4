// Labels: one line of text on the window's surface, painted by ourselves.
#include <string>

#include "ui/colour.h"
#include "ui/control.h"
#include "ui/gbk_text.h"
#include "ui/gdi_handles.h"

namespace tamrel::ui {
namespace {

constexpr wchar_t kLabelClass[] = L"TamrelLabel";

// The settings that every label of the program shares.
constexpr std::uint32_t kTextColour = 0x000000;
constexpr std::uint32_t kBackgroundColour = kSystemDefaultColour;
constexpr UINT kTextFormat = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOCLIP;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

LRESULT OnPaint(HWND label) {
  const PaintSession paint(label);
  RECT repaint = paint.area();
  if (IsRectEmpty(&repaint)) return 0;
  RECT text_area{};
  GetClientRect(label, &text_area);
  IntersectClipRect(paint.dc(), text_area.left, text_area.top, text_area.right, text_area.bottom);
  IntersectRect(&repaint, &repaint, &text_area);
  const UniqueBrush background(CreateSolidBrush(ResolveColour(kBackgroundColour)));
  FillRect(paint.dc(), &repaint, background.get());

  std::wstring text = WindowText(label);
  if (text.empty()) return 0;
  const SelectedObject font(paint.dc(), GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(paint.dc(), TRANSPARENT);
  SetTextColor(paint.dc(), COLORREF{kTextColour});
  DrawTextW(paint.dc(), text.data(), static_cast<int>(text.size()), &text_area, kTextFormat);
  return 0;
}

LRESULT CALLBACK LabelProcedure(HWND label, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      return OnPaint(label);
    default:
      return DefWindowProcW(label, message, wparam, lparam);
  }
}

class Label final : public Control {
 public:
  using Control::Control;

  bool Create(HWND parent) {
    return RegisterOwnClass(kLabelClass, LabelProcedure, nullptr) &&
           CreateHandle(parent, kLabelClass, 0, GbkToWide(description().text), nullptr);
  }
};

}  // namespace

std::unique_ptr<Control> CreateLabel(HWND parent, const ControlDescription& description,
                                     WindowId window) {
  return MakeControl<Label>(parent, description, window);
}

}  // namespace tamrel::ui
