#include "ui/window_description.h"

#include <algorithm>
#include <cstddef>

namespace tamrel::ui {
namespace {

bool IsKnownKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
    case ControlKind::kEditBox:
    case ControlKind::kButton:
    case ControlKind::kPictureBox:
      return true;
  }
  return false;
}

bool IsUsableControl(const ControlDescription& control) {
  return control.name != nullptr && control.text != nullptr && control.id != 0 &&
         IsKnownKind(control.kind) && control.width >= 0 && control.height >= 0;
}

bool HasControl(const WindowDescription& description, ControlId id) {
  return std::ranges::any_of(description.controls,
                             [id](const ControlDescription& c) { return c.id == id; });
}

bool HasUniqueIds(std::span<const ControlDescription> controls) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[i].id == controls[j].id) return false;
    }
  }
  return true;
}

}  // namespace

bool IsUsableDescription(const WindowDescription& description) {
  if (description.title == nullptr || description.width < 0 || description.height < 0) {
    return false;
  }
  if (!std::ranges::all_of(description.controls, IsUsableControl) ||
      !HasUniqueIds(description.controls)) {
    return false;
  }
  // A binding names the window's own record (0) or one of its controls.
  return std::ranges::all_of(description.bindings, [&](const EventBinding& binding) {
    return binding.control == 0 || HasControl(description, binding.control);
  });
}

}  // namespace tamrel::ui
