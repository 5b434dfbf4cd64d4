// Where a window centred on the screen goes.
#pragma once

namespace tamrel::ui {

struct WindowPlace {
  int left;
  int top;
};

// Halves of the spare room, truncated toward zero: a window wider than the
// screen sticks out on both sides.
constexpr WindowPlace CentredPlace(int screen_width, int screen_height, int width, int height) {
  return {(screen_width - width) / 2, (screen_height - height) / 2};
}

}  // namespace tamrel::ui
