// How the calculator reaches the controls of a loaded window: by window id,
// control id and property number, the way the frame offers it. Text values
// cross it under the text store's ownership rules.
#pragma once

#include <cstdint>

namespace tamrel {

using WindowId = std::uint32_t;
using ControlId = std::uint32_t;

// Property 8 + k is property k of the control's kind; 8 is an edit box's
// content. Part -1 is the whole property.
inline constexpr std::int32_t kContentProperty = 8;
inline constexpr std::int32_t kWholeProperty = -1;

class PropertyAccess {
 public:
  virtual ~PropertyAccess() = default;
  // A new text that the caller releases, or nullptr for an empty text.
  virtual char* ReadProperty(WindowId window, ControlId control, std::int32_t property,
                             std::int32_t part) = 0;
  // The caller keeps `value`; nullptr writes the empty text.
  virtual void WriteProperty(WindowId window, ControlId control, std::int32_t property,
                             std::int32_t part, const char* value) = 0;
};

}  // namespace tamrel
