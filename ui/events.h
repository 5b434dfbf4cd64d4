// Events that windows and controls raise into the frame's dispatch. The
// control kinds know only this interface; the frame connects itself at
// start-up, and until then (and in tests that want it) events go nowhere.
#pragma once

#include <cstdint>

#include "calc/property_access.h"

namespace tamrel::ui {

struct EventRecord {
  WindowId window = 0;
  ControlId control = 0;  // 0 for the window's own record
  std::int32_t event = 0;
  bool answered = false;  // set when the handler gave an answer
  std::int32_t answer = 0;
};

// Event numbers, per kind of source.
inline constexpr std::int32_t kClickEvent = 0;           // button
inline constexpr std::int32_t kContentChangedEvent = 0;  // edit box
inline constexpr std::int32_t kGotFocusEvent = -7;
inline constexpr std::int32_t kLostFocusEvent = -8;
inline constexpr std::int32_t kWindowLoadedEvent = 0;  // with 3 and 4, after creation
inline constexpr std::int32_t kWindowLoadedEvent3 = 3;
inline constexpr std::int32_t kWindowLoadedEvent4 = 4;
inline constexpr std::int32_t kCloseRequestEvent = 1;  // an answer of 0 refuses the close
inline constexpr std::int32_t kDestroyEvent = 2;
inline constexpr std::int32_t kActivatedEvent = 5;
inline constexpr std::int32_t kDeactivatedEvent = 6;
inline constexpr std::int32_t kFirstActivationEvent = 8;
// Input that reaches a window or control.
inline constexpr std::int32_t kLeftButtonDownEvent = -1;
inline constexpr std::int32_t kLeftButtonUpEvent = -2;
inline constexpr std::int32_t kLeftDoubleClickEvent = -3;
inline constexpr std::int32_t kRightButtonDownEvent = -4;
inline constexpr std::int32_t kRightButtonUpEvent = -5;
inline constexpr std::int32_t kMouseMoveEvent = -6;
inline constexpr std::int32_t kKeyDownEvent = -9;
inline constexpr std::int32_t kKeyUpEvent = -10;
inline constexpr std::int32_t kCharacterEvent = -11;
inline constexpr std::int32_t kWheelEvent = -12;

class EventDispatch {
 public:
  virtual ~EventDispatch() = default;
  // True when a handler ran.
  virtual bool RaiseEvent(EventRecord& record) = 0;
};

// The frame's dispatch, or nullptr to drop every event.
void ConnectControlKinds(EventDispatch* dispatch);

// What the control kinds call: hands the record to the connected dispatch.
bool RaiseEvent(EventRecord& record);

}  // namespace tamrel::ui
