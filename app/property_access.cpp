#include "app/property_access.h"

#include <string>

#include "app/frame.h"
#include "app/frame_messages.h"
#include "calc/constant_block.h"
#include "calc/text_store.h"

namespace tamrel::app {
namespace {

// Property 8 is the content only for an edit box; the other kinds' own
// properties are not offered.
bool IsEditBox(const ui::WindowDescription& description, ControlId control) {
  for (const ui::ControlDescription& entry : description.controls) {
    if (entry.id == control) {
      return entry.kind == ui::ControlKind::kEditBox;
    }
  }
  return false;
}

}  // namespace

HWND FramePropertyAccess::FindContentTarget(WindowId window, ControlId control) {
  if (!frame_.HasDescription(window)) {
    frame_.ReportRuntimeError(kWindowNotLoaded);
  }
  const ui::Window* live = frame_.FindOpenWindow(window);
  const HWND box = live != nullptr ? live->FindControl(control) : nullptr;
  if (box == nullptr) {
    frame_.ReportRuntimeError(kControlNotLoaded);
  }
  return IsEditBox(live->description(), control) ? box : nullptr;
}

char* FramePropertyAccess::ReadProperty(WindowId window, ControlId control, std::int32_t property,
                                        std::int32_t /*part*/) {
  if (property != kContentProperty) {
    // The common properties and the other kinds' own are not offered.
    if (!frame_.HasDescription(window)) {
      frame_.ReportRuntimeError(kWindowNotLoaded);
    }
    return nullptr;
  }
  const HWND box = FindContentTarget(window, control);
  if (box == nullptr) {
    return nullptr;
  }
  const std::string content = ui::ReadEditBoxContent(box);
  if (content.empty()) {
    return nullptr;
  }
  return CopyText(content.data(), content.size());
}

void FramePropertyAccess::WriteProperty(WindowId window, ControlId control, std::int32_t property,
                                        std::int32_t /*part*/, const char* value) {
  if (property != kContentProperty) {
    if (!frame_.HasDescription(window)) {
      frame_.ReportRuntimeError(kWindowNotLoaded);
    }
    return;
  }
  const HWND box = FindContentTarget(window, control);
  if (box == nullptr) {
    return;
  }
  ui::WriteEditBoxContent(box, value != nullptr ? value : EmptyText());
}

}  // namespace tamrel::app
