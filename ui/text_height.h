// How tall a text is in a given font.
#pragma once

#include <windows.h>

#include <string_view>

#include "ui/gdi_handles.h"

namespace tamrel::ui {

inline int TextHeight(HFONT font, std::wstring_view text) {
  const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  const SelectedObject selected(dc.get(), font);
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &size);
  return size.cy;
}

}  // namespace tamrel::ui
