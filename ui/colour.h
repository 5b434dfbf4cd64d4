// Colours of the description: 0x00BBGGRR, or the system-default marker.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tamrel::ui {

inline constexpr std::uint32_t kSystemDefaultColour = 0xFF000000;

// The marker stands for the system's button-face colour of this moment.
inline COLORREF ResolveColour(std::uint32_t colour) {
  return colour == kSystemDefaultColour ? GetSysColor(COLOR_BTNFACE) : COLORREF{colour};
}

}  // namespace tamrel::ui
