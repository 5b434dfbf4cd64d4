#include <algorithm>
#include <ranges>

#include "ui/window_state.h"

namespace tamrel::ui {

std::vector<const Control*> TabCycle(const std::vector<std::unique_ptr<Control>>& controls) {
  std::vector<const Control*> cycle;
  for (const auto& control : controls | std::views::reverse) {
    const HWND handle = control->handle();
    if (control->description().can_take_focus && IsWindowVisible(handle) &&
        IsWindowEnabled(handle)) {
      cycle.push_back(control.get());
    }
  }
  std::ranges::stable_sort(cycle, {}, [](const Control* c) { return c->description().tab_order; });
  return cycle;
}

}  // namespace tamrel::ui
