// The program's road to the controls of a loaded window: property 8, the
// content of an edit box, read and written through the live control.
#pragma once

#include <windows.h>

#include <cstdint>

#include "calc/property_access.h"

namespace tamrel::app {

class AppFrame;

class FramePropertyAccess final : public PropertyAccess {
 public:
  explicit FramePropertyAccess(AppFrame& frame) : frame_(frame) {}

  char* ReadProperty(WindowId window, ControlId control, std::int32_t property,
                     std::int32_t part) override;
  void WriteProperty(WindowId window, ControlId control, std::int32_t property, std::int32_t part,
                     const char* value) override;

 private:
  // The live edit box for the content property, or nullptr for a control
  // of another kind; reports the caller's fault when the window or the
  // control is not there.
  HWND FindContentTarget(WindowId window, ControlId control);

  AppFrame& frame_;
};

}  // namespace tamrel::app
