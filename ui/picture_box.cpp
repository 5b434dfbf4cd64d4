// The picture box: its picture decoded once and copied at natural size onto
// its top-left corner, over a fill of its background colour.
#include <optional>

#include "ui/colour.h"
#include "ui/control.h"
#include "ui/gdi_handles.h"
#include "ui/jpeg_decoder.h"

namespace tamrel::ui {
namespace {

constexpr wchar_t kPictureBoxClass[] = L"TamrelPictureBox";
constexpr std::uint32_t kBackgroundColour = kSystemDefaultColour;

// A 24-bit top-down bitmap holding the decoded pixels; nullptr without one.
UniqueBitmap MakeBitmap(const DecodedImage& image) {
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  format.bmiHeader.biWidth = image.width;
  format.bmiHeader.biHeight = -image.height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 24;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return nullptr;
  const std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) & ~std::size_t{3};
  for (int y = 0; y < image.height; ++y) {
    unsigned char* row = static_cast<unsigned char*>(bits) + stride * static_cast<std::size_t>(y);
    for (int x = 0; x < image.width; ++x) {
      const unsigned char* rgb = image.Pixel(x, y);
      row[x * 3 + 0] = rgb[2];
      row[x * 3 + 1] = rgb[1];
      row[x * 3 + 2] = rgb[0];
    }
  }
  GdiFlush();
  return bitmap;
}

class PictureBox final : public Control {
 public:
  using Control::Control;

  bool Create(HWND parent) {
    if (!RegisterOwnClass(kPictureBoxClass, Procedure,
                          static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))) ||
        !CreateHandle(parent, kPictureBoxClass, 0, L"", this)) {
      return false;
    }
    background_.reset(CreateSolidBrush(ResolveColour(kBackgroundColour)));
    const PictureData picture = description().picture;
    if (const std::optional<DecodedImage> image =
            DecodePicture(picture ? picture() : std::span<const unsigned char>{})) {
      bitmap_ = MakeBitmap(*image);
      width_ = image->width;
      height_ = image->height;
    }
    return true;
  }

 private:
  LRESULT OnPaint() {
    const PaintSession paint(handle_);
    RECT client{};
    GetClientRect(handle_, &client);
    FillRect(paint.dc(), &client, background_.get());
    if (!bitmap_) return 0;
    const UniqueMemoryDc source(CreateCompatibleDC(paint.dc()));
    const SelectedObject selected(source.get(), bitmap_.get());
    BitBlt(paint.dc(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
    return 0;
  }

  static LRESULT CALLBACK Procedure(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(box, GWLP_USERDATA));
    if (self != nullptr && message == WM_PAINT) return self->OnPaint();
    return DefWindowProcW(box, message, wparam, lparam);
  }

  UniqueBrush background_;
  UniqueBitmap bitmap_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace

std::unique_ptr<Control> CreatePictureBox(HWND parent, const ControlDescription& description,
                                          WindowId window) {
  return MakeControl<PictureBox>(parent, description, window);
}

}  // namespace tamrel::ui
